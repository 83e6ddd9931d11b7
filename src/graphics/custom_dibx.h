#pragma once
// TCustomDIBX: a pixel surface. It knows its size, clip rectangle and
// transparent colour, and offers every raster operation the player composes
// with: fills and frames, copies, alpha, additive and masked blends, flips,
// stretching, rotation with zoom, zoomed tiles, patterns and coverage masks.
//
// Values passed to the operations are native pixels of this surface
// (ColorToPixel). Masks are 8-bit surfaces addressed with the source's
// coordinates. Operations clip to the clip rectangle (the whole surface when
// there is none), cut source rectangles to their source and mask, and draw
// nothing for empty or out-of-range requests. The source of a copy or blend
// must have this surface's bit count.
//
// Each operation becomes a RasterOp handed to Execute, the one dispatch point
// that a surface kind overrides.

#include <cstdint>
#include <vector>

#include "graphics/raster_op.h"
#include "graphics/rect.h"
#include "graphics/rotation.h"

namespace rivo {

// Zoomed tiles: the source is scaled by zoom / 256 and repeats every
// pitch * zoom / 256 pixels, shifted by the offset.
struct TTileLayout {
  int32_t pitch_x = 0, pitch_y = 0;
  int32_t offset_x = 0, offset_y = 0;
  int32_t zoom_x = 256, zoom_y = 256;
};

class TCustomDIBX {
 public:
  TCustomDIBX() = default;
  TCustomDIBX(const TCustomDIBX&) = delete;
  TCustomDIBX& operator=(const TCustomDIBX&) = delete;
  virtual ~TCustomDIBX() = default;

  // --- geometry and format
  virtual int32_t Width() const { return width_; }
  virtual int32_t Height() const { return height_; }
  bool IsEmpty() const { return Width() <= 0 || Height() <= 0; }
  // The area the surface covers: (0, 0, width, height).
  virtual TRect GetBounds() const { return {0, 0, Width(), Height()}; }
  virtual int32_t BitCount() const = 0;
  // Channel masks of packed formats (0 for palette and mask surfaces).
  virtual uint32_t RedMask() const { return 0; }
  virtual uint32_t GreenMask() const { return 0; }
  virtual uint32_t BlueMask() const { return 0; }
  int32_t BytesPerPixel() const { return (BitCount() + 7) / 8; }
  virtual void SetSize(int32_t width, int32_t height, int32_t bit_count);

  // Colour 0x00BBGGRR to a native value: negative stays -1; packed formats
  // place the top bits of each component at its channel; others unchanged.
  virtual int64_t ColorToPixel(int64_t color) const;
  virtual uint32_t GetPixel(int32_t x, int32_t y) const { return 0; }
  virtual void SetPixel(int32_t x, int32_t y, uint32_t value) {}

  int64_t TransparentColor() const { return transparent_color_; }
  void SetTransparentColor(int64_t native) { transparent_color_ = native; }
  bool HasTransparentColor() const { return transparent_color_ != -1; }

  // Rectangle lists carried over from a layered image frame.
  std::vector<TRect>& FirstRects() { return first_rects_; }
  std::vector<TRect>& SecondRects() { return second_rects_; }
  const std::vector<TRect>& FirstRects() const { return first_rects_; }
  const std::vector<TRect>& SecondRects() const { return second_rects_; }

  // --- clip state. An explicit flag says whether there is a clip rectangle,
  // so that an empty clip draws nothing instead of everything.
  virtual void ResetClip() { has_clip_ = false; }
  // Grows the clip rectangle to include r (cut to the surface); an r that
  // misses the surface changes nothing.
  virtual void AddClipRect(const TRect& r);
  void SetClipRect(const TRect& r) {
    clip_ = r;
    has_clip_ = true;
  }
  bool HasClip() const { return has_clip_; }
  // The clip rectangle, or the bounds when there is none.
  TRect GetClipRect() const { return has_clip_ ? clip_ : GetBounds(); }

  // --- fills and frames
  virtual void Clear(uint32_t value) { FillRect(GetBounds(), value); }
  void FillRect(const TRect& r, uint32_t value);
  // Pixels already holding value stay.
  void FillRectAlpha(const TRect& r, uint32_t value, int32_t alpha);
  void FillRectAdd(const TRect& r, uint32_t value);
  void FillRectSub(const TRect& r, uint32_t value);
  // Top and bottom bands of line width across, then the sides between them.
  void FrameRect(const TRect& r, int32_t line_width, uint32_t value);
  void FrameRectAlpha(const TRect& r, int32_t line_width, int32_t alpha, uint32_t value);
  void FrameRectAdd(const TRect& r, int32_t line_width, uint32_t value);

  // --- placements of source_rect with its top-left corner at (x, y)
  // Copies the whole source when geometry and format agree, else Draw at (0, 0).
  virtual void Assign(const TCustomDIBX& source);
  void Draw(int32_t x, int32_t y, bool flip_v, bool flip_h, bool use_key, const TRect& source_rect,
            const TCustomDIBX& source);
  // Blend with weight alpha; pixels equal to the destination stay.
  void DrawAlpha(int32_t x, int32_t y, int32_t alpha, bool flip_v, bool flip_h, bool use_key,
                 const TRect& source_rect, const TCustomDIBX& source);
  // Adds the source weighted by alpha; always skips the source's key colour.
  void DrawAdd(int32_t x, int32_t y, int32_t alpha, bool flip_v, bool flip_h,
               const TRect& source_rect, const TCustomDIBX& source);
  // Mask 255 copies, 0 skips, others blend with weight m.
  void DrawMask(int32_t x, int32_t y, const TCustomDIBX& mask, bool flip_v, bool flip_h,
                const TRect& source_rect, const TCustomDIBX& source);
  // Weight alpha where m = 255, else (m * alpha) shr 8.
  void DrawAlphaMask(int32_t x, int32_t y, int32_t alpha, const TCustomDIBX& mask, bool flip_v,
                     bool flip_h, const TRect& source_rect, const TCustomDIBX& source);
  void DrawAddMask(int32_t x, int32_t y, int32_t alpha, const TCustomDIBX& mask, bool flip_v,
                   bool flip_h, const TRect& source_rect, const TCustomDIBX& source);
  // Blends colour through an 8-bit coverage mask (text).
  void FillMask(int32_t x, int32_t y, int32_t alpha, uint32_t color, bool flip_v, bool flip_h,
                const TRect& source_rect, const TCustomDIBX& mask);
  // Adds table[index] of an 8-bit source weighted by alpha, skipping indices
  // below lowest_index.
  void DrawIndexedAdd(int32_t x, int32_t y, const uint32_t* table, int32_t alpha, bool flip_v,
                      bool flip_h, int32_t lowest_index, const TRect& source_rect,
                      const TCustomDIBX& source);

  // --- stretches of source_rect onto dest (nearest pixel)
  void StretchDraw(const TRect& dest, const TCustomDIBX& source, int32_t alpha, bool flip_v,
                   bool flip_h, bool use_key, const TRect& source_rect);
  void StretchDrawAdd(const TRect& dest, const TCustomDIBX& source, int32_t alpha, bool flip_v,
                      bool flip_h, bool use_key, const TRect& source_rect);
  void StretchDrawMask(const TRect& dest, const TCustomDIBX& source, int32_t alpha,
                       const TCustomDIBX& mask, bool flip_v, bool flip_h, const TRect& source_rect);
  void StretchDrawAddMask(const TRect& dest, const TCustomDIBX& source, int32_t alpha,
                          const TCustomDIBX& mask, bool flip_v, bool flip_h,
                          const TRect& source_rect);
  // An 8-bit source mapped through table by the alpha code; the source's
  // transparent index is skipped.
  void StretchDrawIndexed(const TRect& dest, const TCustomDIBX& source, const uint32_t* table,
                          int32_t alpha_code, bool flip_v, bool flip_h, const TRect& source_rect);

  // --- rotation and zoom about (cx, cy); alpha code 0..511
  void DrawRotate(int32_t cx, int32_t cy, int32_t alpha_code, bool flip_v, bool flip_h,
                  bool use_key, const TRotation& rotation, const TRect& source_rect,
                  const TCustomDIBX& source);
  void DrawRotateMask(int32_t cx, int32_t cy, int32_t alpha_code, const TCustomDIBX& mask,
                      bool flip_v, bool flip_h, const TRotation& rotation,
                      const TRect& source_rect, const TCustomDIBX& source);

  // --- zoomed tiles within r; alpha code <= 255 stretches, 256..511 adds
  void TileStretchDraw(const TRect& r, const TTileLayout& layout, int32_t alpha_code, bool flip_v,
                       bool flip_h, bool use_key, const TRect& source_rect,
                       const TCustomDIBX& source);
  void TileStretchDrawMask(const TRect& r, const TTileLayout& layout, int32_t alpha_code,
                           const TCustomDIBX& mask, bool flip_v, bool flip_h,
                           const TRect& source_rect, const TCustomDIBX& source);

  // --- patterns: the whole pattern repeated over r, pattern position
  // (offset x mod width, offset y mod height) at r's top-left corner
  void FillPattern(const TRect& r, const TCustomDIBX& pattern, bool flip_v, bool flip_h,
                   int32_t offset_x, int32_t offset_y);
  void FillPatternZoom(const TRect& r, const TCustomDIBX& pattern, int32_t alpha_code, bool flip_v,
                       bool flip_h, bool use_key, int32_t offset_x, int32_t offset_y,
                       int32_t zoom_x, int32_t zoom_y);
  void FillPatternZoomMask(const TRect& r, const TCustomDIBX& pattern, int32_t alpha_code,
                           const TCustomDIBX& mask, bool flip_v, bool flip_h, int32_t offset_x,
                           int32_t offset_y, int32_t zoom_x, int32_t zoom_y);
  // Four FillPattern bands of line width; the sides run the full height.
  void FramePattern(const TRect& r, int32_t line_width, int32_t offset_x, int32_t offset_y,
                    const TCustomDIBX& pattern);

  // The one dispatch point of every drawing operation.
  virtual void Execute(const RasterOp& op) {}
  // The pixels this surface offers as a source (none by default).
  virtual TPixelSource SourcePixels() const { return {}; }

 protected:
  void RecordSize(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
  }

 private:
  void Frame(const TRect& r, int32_t line_width, const RasterOp& band);

  int32_t width_ = 0;
  int32_t height_ = 0;
  TRect clip_;
  bool has_clip_ = false;
  int64_t transparent_color_ = -1;
  std::vector<TRect> first_rects_;
  std::vector<TRect> second_rects_;
};

}  // namespace rivo

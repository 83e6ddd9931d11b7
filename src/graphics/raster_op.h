#pragma once
// One drawing request, as a value. Every drawing operation of a surface is
// described by a RasterOp and goes through the surface's one dispatch point
// (TCustomDIBX::Execute), so that a surface without pixels of its own (the
// wave surface) can re-issue any operation on its target.

#include <cstddef>
#include <cstdint>

#include "graphics/rect.h"

namespace rivo {

class TCustomDIBX;

enum class RasterOpKind : uint8_t {
  // fills of op.rect with op.value
  kFillRect, kFillRectAlpha, kFillRectAdd, kFillRectSub,
  // placements of op.source_rect at (op.x, op.y)
  kDraw, kDrawAlpha, kDrawAdd, kDrawMask, kDrawAlphaMask, kDrawAddMask, kFillMask, kDrawIndexedAdd,
  // stretches of op.source_rect onto op.rect
  kStretchDraw, kStretchDrawAdd, kStretchDrawMask, kStretchDrawAddMask, kStretchDrawIndexed,
  // rotations about (op.x, op.y)
  kDrawRotate, kDrawRotateMask,
  // patterns over op.rect
  kFillPattern, kFillPatternZoom, kFillPatternZoomMask,
};

// The groups above: what describes an operation's destination, and so which
// runner draws it.
enum class RasterOpFamily : uint8_t { kFill, kPlacement, kStretch, kRotation, kPattern };

RasterOpFamily FamilyOf(RasterOpKind kind);

struct RasterOp {
  RasterOpKind kind = RasterOpKind::kFillRect;
  TRect rect;                      // fills, stretches, patterns
  int32_t x = 0, y = 0;            // placements: top-left; rotations: centre
  const TCustomDIBX* source = nullptr;  // also the pattern, or FillMask's mask
  const TCustomDIBX* mask = nullptr;
  TRect source_rect;
  uint32_t value = 0;              // native fill value or colour
  int32_t alpha = 255;             // alpha, or alpha code 0..511
  bool flip_v = false, flip_h = false, use_key = false;
  int32_t angle = 0, pivot_x = 0, pivot_y = 0;  // rotations
  int32_t zoom_x = 256, zoom_y = 256;           // rotations, zoomed patterns
  int32_t offset_x = 0, offset_y = 0;           // patterns
  const uint32_t* color_table = nullptr;        // indexed: 256 native colours
  int32_t lowest_index = 0;

  RasterOpFamily Family() const { return FamilyOf(kind); }

  // Region operations are computed over their whole destination and clipped
  // per row; the others can be split into row bands freely.
  bool IsRegionOp() const;
  // The destination area the operation may touch (before clipping).
  TRect Extent() const;
  // The same operation with its whole destination moved right by dx.
  RasterOp MovedRight(int32_t dx) const;
};

// Where an operation draws: the destination's rows and its clip rectangle
// (already inside the surface).
struct TPixelTarget {
  uint8_t* bits = nullptr;  // row 0
  std::ptrdiff_t pitch = 0;
  int32_t width = 0, height = 0, bit_count = 0;
  TRect clip;
  template <class Pixel>
  Pixel* Row(int32_t y) const {
    return reinterpret_cast<Pixel*>(bits + pitch * y);
  }
};

// What an operation reads: a source, mask or pattern surface.
struct TPixelSource {
  const uint8_t* bits = nullptr;
  std::ptrdiff_t pitch = 0;
  int32_t width = 0, height = 0, bit_count = 0;
  int64_t transparent = -1;  // native transparent colour, -1 none
  bool Valid() const { return bits != nullptr && width > 0 && height > 0; }
  TRect Bounds() const { return {0, 0, width, height}; }
  template <class Pixel>
  const Pixel* Row(int32_t y) const {
    return reinterpret_cast<const Pixel*>(bits + pitch * y);
  }
};

// Runs op on target's pixels (formats without a policy draw nothing).
void ExecuteRasterOp(const TPixelTarget& target, const RasterOp& op);

}  // namespace rivo

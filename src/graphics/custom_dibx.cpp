#include "graphics/custom_dibx.h"

#include <algorithm>

#include "common/numbers.h"

namespace rivo {
namespace {

RasterOp Op(RasterOpKind kind) {
  RasterOp op;
  op.kind = kind;
  return op;
}

RasterOp Fill(RasterOpKind kind, const TRect& r, uint32_t value, int32_t alpha = 255) {
  RasterOp op = Op(kind);
  op.rect = r;
  op.value = value;
  op.alpha = alpha;
  return op;
}

RasterOp Placement(RasterOpKind kind, int32_t x, int32_t y, int32_t alpha, bool flip_v, bool flip_h,
                   const TRect& source_rect, const TCustomDIBX& source) {
  RasterOp op = Op(kind);
  op.x = x;
  op.y = y;
  op.alpha = alpha;
  op.flip_v = flip_v;
  op.flip_h = flip_h;
  op.source_rect = source_rect;
  op.source = &source;
  return op;
}

RasterOp Stretch(RasterOpKind kind, const TRect& dest, const TCustomDIBX& source, int32_t alpha,
                 bool flip_v, bool flip_h, const TRect& source_rect) {
  RasterOp op = Placement(kind, 0, 0, alpha, flip_v, flip_h, source_rect, source);
  op.rect = dest;
  return op;
}

RasterOp Rotated(RasterOpKind kind, int32_t cx, int32_t cy, int32_t alpha_code, bool flip_v,
                 bool flip_h, const TRotation& rotation, const TRect& source_rect,
                 const TCustomDIBX& source) {
  RasterOp op = Placement(kind, cx, cy, alpha_code, flip_v, flip_h, source_rect, source);
  op.angle = rotation.angle;
  op.pivot_x = rotation.pivot_x;
  op.pivot_y = rotation.pivot_y;
  op.zoom_x = rotation.zoom_x;
  op.zoom_y = rotation.zoom_y;
  return op;
}

RasterOp Pattern(RasterOpKind kind, const TRect& r, const TCustomDIBX& pattern, bool flip_v,
                 bool flip_h, int32_t offset_x, int32_t offset_y) {
  RasterOp op = Op(kind);
  op.rect = r;
  op.source = &pattern;
  op.flip_v = flip_v;
  op.flip_h = flip_h;
  op.offset_x = offset_x;
  op.offset_y = offset_y;
  return op;
}

RasterOp ZoomedPattern(RasterOpKind kind, const TRect& r, const TCustomDIBX& pattern,
                       int32_t alpha_code, bool flip_v, bool flip_h, int32_t offset_x,
                       int32_t offset_y, int32_t zoom_x, int32_t zoom_y) {
  RasterOp op = Pattern(kind, r, pattern, flip_v, flip_h, offset_x, offset_y);
  op.alpha = alpha_code;
  op.zoom_x = zoom_x;
  op.zoom_y = zoom_y;
  return op;
}

RasterOp Keyed(RasterOp op, bool use_key) {
  op.use_key = use_key;
  return op;
}

RasterOp Masked(RasterOp op, const TCustomDIBX& mask) {
  op.mask = &mask;
  return op;
}

int64_t FloorMod(int64_t a, int64_t b) {
  const int64_t m = a % b;
  return m < 0 ? m + b : m;
}

// Calls draw(tile rectangle) for every tile of a zoomed grid that can reach
// the clip rectangle. Tile positions are kept in 16.16 so that fractional
// pitches do not drift; a negative offset starts one step further left, so
// no gap opens at the left edge. Tiles larger than their pitch overlap; a
// script can ask for billions of them, so drawing stops once the tiles have
// covered the clip rectangle four times over (side-by-side tiles never do).
template <typename Draw>
void ForEachTile(const TRect& r, const TRect& clip, const TTileLayout& t, const TRect& source_rect,
                 Draw draw) {
  constexpr int64_t kLargest = int64_t{1} << 30;
  const int64_t tile_w =
      std::clamp<int64_t>(int64_t{source_rect.Width()} * t.zoom_x / 256, 1, kLargest);
  const int64_t tile_h =
      std::clamp<int64_t>(int64_t{source_rect.Height()} * t.zoom_y / 256, 1, kLargest);
  int64_t budget = 4 * int64_t{clip.Width()} * clip.Height() + 65536;
  const int64_t step_x = std::max<int64_t>(65536, int64_t{t.pitch_x} * t.zoom_x * 256);
  const int64_t step_y = std::max<int64_t>(65536, int64_t{t.pitch_y} * t.zoom_y * 256);
  int64_t start_x = int64_t{r.Left} * 65536 - FloorMod(int64_t{t.offset_x} * 65536, step_x);
  int64_t start_y = int64_t{r.Top} * 65536 - FloorMod(int64_t{t.offset_y} * 65536, step_y);
  // Jump over whole steps of tiles that end before the clip rectangle.
  if (const int64_t gap = (clip.Left - tile_w) * 65536 - start_x; gap > 0) start_x += gap / step_x * step_x;
  if (const int64_t gap = (clip.Top - tile_h) * 65536 - start_y; gap > 0) start_y += gap / step_y * step_y;
  for (int64_t y16 = start_y; (y16 >> 16) < clip.Bottom; y16 += step_y) {
    const int64_t top = y16 >> 16;
    if (top + tile_h <= clip.Top) continue;
    for (int64_t x16 = start_x; (x16 >> 16) < clip.Right; x16 += step_x) {
      const int64_t left = x16 >> 16;
      if (left + tile_w <= clip.Left) continue;
      budget -= (std::min<int64_t>(left + tile_w, clip.Right) - std::max<int64_t>(left, clip.Left)) *
                (std::min<int64_t>(top + tile_h, clip.Bottom) - std::max<int64_t>(top, clip.Top));
      if (budget < 0) return;
      draw(TRect{static_cast<int32_t>(left), static_cast<int32_t>(top),
                 static_cast<int32_t>(left + tile_w), static_cast<int32_t>(top + tile_h)});
    }
  }
}

}  // namespace

void TCustomDIBX::SetSize(int32_t width, int32_t height, int32_t bit_count) {
  RecordSize(width, height);
}

int64_t TCustomDIBX::ColorToPixel(int64_t color) const { return color < 0 ? -1 : color; }

void TCustomDIBX::AddClipRect(const TRect& r) {
  const TRect cut = Intersect(r, GetBounds());
  if (cut.IsEmpty()) return;
  clip_ = has_clip_ ? Union(clip_, cut) : cut;
  has_clip_ = true;
}

void TCustomDIBX::FillRect(const TRect& r, uint32_t value) {
  Execute(Fill(RasterOpKind::kFillRect, r, value));
}

void TCustomDIBX::FillRectAlpha(const TRect& r, uint32_t value, int32_t alpha) {
  Execute(Fill(RasterOpKind::kFillRectAlpha, r, value, alpha));
}

void TCustomDIBX::FillRectAdd(const TRect& r, uint32_t value) {
  Execute(Fill(RasterOpKind::kFillRectAdd, r, value));
}

void TCustomDIBX::FillRectSub(const TRect& r, uint32_t value) {
  Execute(Fill(RasterOpKind::kFillRectSub, r, value));
}

void TCustomDIBX::Frame(const TRect& r, int32_t w, const RasterOp& band) {
  const auto run = [&](const TRect& rect) {
    RasterOp op = band;
    op.rect = rect;
    Execute(op);
  };
  run({r.Left, r.Top, r.Right, WrapAdd(r.Top, w)});
  run({r.Left, WrapSub(r.Bottom, w), r.Right, r.Bottom});
  const int32_t h = WrapSub(r.Height(), WrapMul(2, w));
  if (h <= 0) return;
  const int32_t top = WrapAdd(r.Top, w);
  run({r.Left, top, WrapAdd(r.Left, w), WrapAdd(top, h)});
  run({WrapSub(r.Right, w), top, r.Right, WrapAdd(top, h)});
}

void TCustomDIBX::FrameRect(const TRect& r, int32_t line_width, uint32_t value) {
  Frame(r, line_width, Fill(RasterOpKind::kFillRect, {}, value));
}

void TCustomDIBX::FrameRectAlpha(const TRect& r, int32_t line_width, int32_t alpha,
                                 uint32_t value) {
  Frame(r, line_width, Fill(RasterOpKind::kFillRectAlpha, {}, value, alpha));
}

void TCustomDIBX::FrameRectAdd(const TRect& r, int32_t line_width, uint32_t value) {
  Frame(r, line_width, Fill(RasterOpKind::kFillRectAdd, {}, value));
}

void TCustomDIBX::Assign(const TCustomDIBX& source) {
  Draw(0, 0, false, false, false, source.GetBounds(), source);
}

void TCustomDIBX::Draw(int32_t x, int32_t y, bool flip_v, bool flip_h, bool use_key,
                       const TRect& source_rect, const TCustomDIBX& source) {
  Execute(Keyed(Placement(RasterOpKind::kDraw, x, y, 255, flip_v, flip_h, source_rect, source),
                use_key));
}

void TCustomDIBX::DrawAlpha(int32_t x, int32_t y, int32_t alpha, bool flip_v, bool flip_h,
                            bool use_key, const TRect& source_rect, const TCustomDIBX& source) {
  Execute(Keyed(
      Placement(RasterOpKind::kDrawAlpha, x, y, alpha, flip_v, flip_h, source_rect, source),
      use_key));
}

void TCustomDIBX::DrawAdd(int32_t x, int32_t y, int32_t alpha, bool flip_v, bool flip_h,
                          const TRect& source_rect, const TCustomDIBX& source) {
  Execute(
      Keyed(Placement(RasterOpKind::kDrawAdd, x, y, alpha, flip_v, flip_h, source_rect, source),
            source.HasTransparentColor()));
}

void TCustomDIBX::DrawMask(int32_t x, int32_t y, const TCustomDIBX& mask, bool flip_v,
                           bool flip_h, const TRect& source_rect, const TCustomDIBX& source) {
  Execute(Masked(
      Placement(RasterOpKind::kDrawMask, x, y, 255, flip_v, flip_h, source_rect, source), mask));
}

void TCustomDIBX::DrawAlphaMask(int32_t x, int32_t y, int32_t alpha, const TCustomDIBX& mask,
                                bool flip_v, bool flip_h, const TRect& source_rect,
                                const TCustomDIBX& source) {
  Execute(Masked(
      Placement(RasterOpKind::kDrawAlphaMask, x, y, alpha, flip_v, flip_h, source_rect, source),
      mask));
}

void TCustomDIBX::DrawAddMask(int32_t x, int32_t y, int32_t alpha, const TCustomDIBX& mask,
                              bool flip_v, bool flip_h, const TRect& source_rect,
                              const TCustomDIBX& source) {
  Execute(Masked(
      Placement(RasterOpKind::kDrawAddMask, x, y, alpha, flip_v, flip_h, source_rect, source),
      mask));
}

void TCustomDIBX::FillMask(int32_t x, int32_t y, int32_t alpha, uint32_t color, bool flip_v,
                           bool flip_h, const TRect& source_rect, const TCustomDIBX& mask) {
  RasterOp op = Placement(RasterOpKind::kFillMask, x, y, alpha, flip_v, flip_h, source_rect, mask);
  op.value = color;
  Execute(op);
}

void TCustomDIBX::DrawIndexedAdd(int32_t x, int32_t y, const uint32_t* table, int32_t alpha,
                                 bool flip_v, bool flip_h, int32_t lowest_index,
                                 const TRect& source_rect, const TCustomDIBX& source) {
  RasterOp op =
      Placement(RasterOpKind::kDrawIndexedAdd, x, y, alpha, flip_v, flip_h, source_rect, source);
  op.color_table = table;
  op.lowest_index = lowest_index;
  Execute(op);
}

void TCustomDIBX::StretchDraw(const TRect& dest, const TCustomDIBX& source, int32_t alpha,
                              bool flip_v, bool flip_h, bool use_key, const TRect& source_rect) {
  Execute(Keyed(
      Stretch(RasterOpKind::kStretchDraw, dest, source, alpha, flip_v, flip_h, source_rect),
      use_key));
}

void TCustomDIBX::StretchDrawAdd(const TRect& dest, const TCustomDIBX& source, int32_t alpha,
                                 bool flip_v, bool flip_h, bool use_key, const TRect& source_rect) {
  Execute(Keyed(
      Stretch(RasterOpKind::kStretchDrawAdd, dest, source, alpha, flip_v, flip_h, source_rect),
      use_key));
}

void TCustomDIBX::StretchDrawMask(const TRect& dest, const TCustomDIBX& source, int32_t alpha,
                                  const TCustomDIBX& mask, bool flip_v, bool flip_h,
                                  const TRect& source_rect) {
  Execute(Masked(
      Stretch(RasterOpKind::kStretchDrawMask, dest, source, alpha, flip_v, flip_h, source_rect),
      mask));
}

void TCustomDIBX::StretchDrawAddMask(const TRect& dest, const TCustomDIBX& source, int32_t alpha,
                                     const TCustomDIBX& mask, bool flip_v, bool flip_h,
                                     const TRect& source_rect) {
  Execute(Masked(Stretch(RasterOpKind::kStretchDrawAddMask, dest, source, alpha, flip_v, flip_h,
                         source_rect),
                 mask));
}

void TCustomDIBX::StretchDrawIndexed(const TRect& dest, const TCustomDIBX& source,
                                     const uint32_t* table, int32_t alpha_code, bool flip_v,
                                     bool flip_h, const TRect& source_rect) {
  RasterOp op = Stretch(RasterOpKind::kStretchDrawIndexed, dest, source, alpha_code, flip_v, flip_h,
                        source_rect);
  op.color_table = table;
  Execute(op);
}

void TCustomDIBX::DrawRotate(int32_t cx, int32_t cy, int32_t alpha_code, bool flip_v, bool flip_h,
                             bool use_key, const TRotation& rotation, const TRect& source_rect,
                             const TCustomDIBX& source) {
  Execute(Keyed(Rotated(RasterOpKind::kDrawRotate, cx, cy, alpha_code, flip_v, flip_h, rotation,
                        source_rect, source),
                use_key));
}

void TCustomDIBX::DrawRotateMask(int32_t cx, int32_t cy, int32_t alpha_code,
                                 const TCustomDIBX& mask, bool flip_v, bool flip_h,
                                 const TRotation& rotation, const TRect& source_rect,
                                 const TCustomDIBX& source) {
  Execute(Masked(Rotated(RasterOpKind::kDrawRotateMask, cx, cy, alpha_code, flip_v, flip_h,
                         rotation, source_rect, source),
                 mask));
}

namespace {

// Runs draw with the clip rectangle narrowed to r, then restores it.
template <typename Draw>
void WithClipWithin(TCustomDIBX& surface, const TRect& r, Draw draw) {
  const bool had_clip = surface.HasClip();
  const TRect old_clip = surface.GetClipRect();
  const TRect clip = Intersect(old_clip, r);
  if (clip.IsEmpty()) return;
  surface.SetClipRect(clip);
  draw(clip);
  if (had_clip) surface.SetClipRect(old_clip);
  else surface.ResetClip();
}

// Calls draw_tile(tile rectangle) for each zoomed tile of source_rect within r.
template <typename DrawTile>
void EachTileWithin(TCustomDIBX& surface, const TRect& r, const TTileLayout& layout,
                    int32_t alpha_code, const TRect& source_rect, DrawTile draw_tile) {
  if (alpha_code <= 0 || layout.zoom_x <= 0 || layout.zoom_y <= 0 || source_rect.IsEmpty()) return;
  WithClipWithin(surface, r, [&](const TRect& clip) {
    ForEachTile(r, clip, layout, source_rect, draw_tile);
  });
}

}  // namespace

void TCustomDIBX::TileStretchDraw(const TRect& r, const TTileLayout& layout, int32_t alpha_code,
                                  bool flip_v, bool flip_h, bool use_key, const TRect& source_rect,
                                  const TCustomDIBX& source) {
  EachTileWithin(*this, r, layout, alpha_code, source_rect, [&](const TRect& tile) {
    if (alpha_code <= 255)
      StretchDraw(tile, source, alpha_code, flip_v, flip_h, use_key, source_rect);
    else
      StretchDrawAdd(tile, source, alpha_code - 256, flip_v, flip_h, use_key, source_rect);
  });
}

void TCustomDIBX::TileStretchDrawMask(const TRect& r, const TTileLayout& layout,
                                      int32_t alpha_code, const TCustomDIBX& mask, bool flip_v,
                                      bool flip_h, const TRect& source_rect,
                                      const TCustomDIBX& source) {
  EachTileWithin(*this, r, layout, alpha_code, source_rect, [&](const TRect& tile) {
    if (alpha_code <= 255)
      StretchDrawMask(tile, source, alpha_code, mask, flip_v, flip_h, source_rect);
    else
      StretchDrawAddMask(tile, source, alpha_code - 256, mask, flip_v, flip_h, source_rect);
  });
}

void TCustomDIBX::FillPattern(const TRect& r, const TCustomDIBX& pattern, bool flip_v, bool flip_h,
                              int32_t offset_x, int32_t offset_y) {
  Execute(Pattern(RasterOpKind::kFillPattern, r, pattern, flip_v, flip_h, offset_x, offset_y));
}

void TCustomDIBX::FillPatternZoom(const TRect& r, const TCustomDIBX& pattern, int32_t alpha_code,
                                  bool flip_v, bool flip_h, bool use_key, int32_t offset_x,
                                  int32_t offset_y, int32_t zoom_x, int32_t zoom_y) {
  Execute(Keyed(ZoomedPattern(RasterOpKind::kFillPatternZoom, r, pattern, alpha_code, flip_v,
                              flip_h, offset_x, offset_y, zoom_x, zoom_y),
                use_key));
}

void TCustomDIBX::FillPatternZoomMask(const TRect& r, const TCustomDIBX& pattern,
                                      int32_t alpha_code, const TCustomDIBX& mask, bool flip_v,
                                      bool flip_h, int32_t offset_x, int32_t offset_y,
                                      int32_t zoom_x, int32_t zoom_y) {
  Execute(Masked(ZoomedPattern(RasterOpKind::kFillPatternZoomMask, r, pattern, alpha_code, flip_v,
                               flip_h, offset_x, offset_y, zoom_x, zoom_y),
                 mask));
}

void TCustomDIBX::FramePattern(const TRect& r, int32_t w, int32_t offset_x, int32_t offset_y,
                               const TCustomDIBX& pattern) {
  // Each band continues the pattern of the whole rectangle.
  const int32_t right = WrapSub(r.Width(), w), bottom = WrapSub(r.Height(), w);
  FillPattern({r.Left, r.Top, r.Right, WrapAdd(r.Top, w)}, pattern, false, false, offset_x,
              offset_y);
  FillPattern({r.Left, WrapSub(r.Bottom, w), r.Right, r.Bottom}, pattern, false, false, offset_x,
              WrapAdd(offset_y, bottom));
  FillPattern({r.Left, r.Top, WrapAdd(r.Left, w), r.Bottom}, pattern, false, false, offset_x,
              offset_y);
  FillPattern({WrapSub(r.Right, w), r.Top, r.Right, r.Bottom}, pattern, false, false,
              WrapAdd(offset_x, right), offset_y);
}

}  // namespace rivo

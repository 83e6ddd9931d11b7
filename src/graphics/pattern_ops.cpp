// Patterns: the whole pattern surface repeated over a rectangle in both
// directions, starting at pattern position (offset mod size) at the
// rectangle's top-left corner; negative offsets wrap. The zoomed forms step
// through the pattern by 256 / zoom source pixels per destination pixel
// (16.16, at most one pattern width).

#include <algorithm>
#include <vector>

#include "graphics/raster_runners.h"
#include "graphics/row_kernels.h"

namespace rivo {
namespace {

int64_t FloorMod(int64_t a, int64_t b) {
  const int64_t m = a % b;
  return m < 0 ? m + b : m;
}

template <class P>
void Plain(const TPixelTarget& t, const RasterOp& op, const TPixelSource& pat, const TRect& r) {
  using Pixel = typename P::Pixel;
  const int32_t pw = pat.width, ph = pat.height;
  // Every row starts at the same pattern column; the pattern row steps on by one.
  const auto first_px = static_cast<int32_t>(FloorMod(int64_t{op.offset_x} + r.Left - op.rect.Left, pw));
  auto row = static_cast<int32_t>(FloorMod(int64_t{op.offset_y} + r.Top - op.rect.Top, ph));
  for (int32_t y = r.Top; y < r.Bottom; ++y, row = row + 1 == ph ? 0 : row + 1) {
    const Pixel* srow = pat.Row<Pixel>(op.flip_v ? ph - 1 - row : row);
    Pixel* d = t.Row<Pixel>(y) + r.Left;
    int32_t px = first_px;
    for (int32_t remaining = r.Width(); remaining > 0;) {
      // Runs up to the pattern's edge, walked backwards when mirrored.
      const int32_t len = std::min(remaining, pw - px);
      if (op.flip_h) Rows<P>::Copy(d, srow + (pw - 1 - px), len, -1);
      else Rows<P>::Copy(d, srow + px, len, 1);
      d += len;
      remaining -= len;
      px = 0;
    }
  }
}

template <class P>
void Zoomed(const TPixelTarget& t, const RasterOp& op, const TPixelSource& pat,
            const TPixelSource& mask, const TRect& r) {
  using Pixel = typename P::Pixel;
  using R = Rows<P>;
  const int32_t pw = pat.width, ph = pat.height;
  const int64_t wrap_x = int64_t{pw} * 65536, wrap_y = int64_t{ph} * 65536;
  const int64_t step_x = std::min<int64_t>(wrap_x, int64_t{256} * 65536 / op.zoom_x);
  const int64_t step_y = std::min<int64_t>(wrap_y, int64_t{256} * 65536 / op.zoom_y);
  // Clipped-off columns and rows still advance the position.
  const int64_t x0 = FloorMod(FloorMod(op.offset_x, pw) * 65536 +
                                  FloorMod((int64_t{r.Left} - op.rect.Left) * step_x, wrap_x),
                              wrap_x);
  const int64_t y0 = FloorMod(FloorMod(op.offset_y, ph) * 65536 +
                                  FloorMod((int64_t{r.Top} - op.rect.Top) * step_y, wrap_y),
                              wrap_y);
  const int32_t n = r.Width();
  std::vector<int32_t> columns(static_cast<std::size_t>(n));
  for (int64_t j = 0, X = x0; j < n; ++j, X = (X + step_x) % wrap_x) {
    const auto c = static_cast<int32_t>(X >> 16);
    columns[static_cast<std::size_t>(j)] = op.flip_h ? pw - 1 - c : c;
  }
  const RowKey key{op.use_key && pat.transparent != -1,
                   P::FromValue(static_cast<uint32_t>(pat.transparent))};
  const int32_t code = op.alpha;
  const uint32_t w = ClampWeight(code > 255 ? code - 256 : code);
  std::vector<Pixel> line(static_cast<std::size_t>(n));
  std::vector<uint8_t> mask_line(mask.Valid() ? line.size() : 0);
  int64_t Y = y0;
  for (int32_t y = r.Top; y < r.Bottom; ++y, Y = (Y + step_y) % wrap_y) {
    auto row = static_cast<int32_t>(Y >> 16);
    if (op.flip_v) row = ph - 1 - row;
    const Pixel* srow = pat.Row<Pixel>(row);
    for (int32_t j = 0; j < n; ++j) line[static_cast<std::size_t>(j)] = srow[columns[static_cast<std::size_t>(j)]];
    Pixel* d = t.Row<Pixel>(y) + r.Left;
    if (mask.Valid()) {
      const uint8_t* mrow = mask.Row<uint8_t>(row);
      for (int32_t j = 0; j < n; ++j) mask_line[static_cast<std::size_t>(j)] = mrow[columns[static_cast<std::size_t>(j)]];
      if (code == 255) R::MaskBlend(d, line.data(), mask_line.data(), n, 1, {256, At255::kCopy}, false);
      else if (code < 255) R::MaskBlend(d, line.data(), mask_line.data(), n, 1, {w, At255::kAlpha}, false);
      else R::MaskAdd(d, line.data(), mask_line.data(), n, 1, {w, At255::kAlpha});
    } else if (code == 255) {
      R::CopyKeyed(d, line.data(), n, 1, key);
    } else if (code < 255) {
      R::Blend(d, line.data(), n, 1, w, key, false);
    } else {
      R::Add(d, line.data(), n, 1, w, key);
    }
  }
}

}  // namespace

void RunPattern(const TPixelTarget& t, const RasterOp& op) {
  const TPixelSource pat = PixelsOf(op.source);
  if (!pat.Valid() || pat.bit_count != t.bit_count) return;
  const TRect r = Intersect(op.rect, t.clip);
  if (r.IsEmpty()) return;
  if (op.kind == RasterOpKind::kFillPattern) {
    WithPolicy(t.bit_count, [&]<class P>() { Plain<P>(t, op, pat, r); });
    return;
  }
  if (op.alpha <= 0 || op.zoom_x <= 0 || op.zoom_y <= 0) return;
  TPixelSource mask;
  if (op.kind == RasterOpKind::kFillPatternZoomMask) {
    mask = PixelsOf(op.mask);
    if (!mask.Valid() || mask.bit_count != 8 || mask.width < pat.width || mask.height < pat.height)
      return;
  }
  WithPolicy(t.bit_count, [&]<class P>() { Zoomed<P>(t, op, pat, mask, r); });
}

}  // namespace rivo

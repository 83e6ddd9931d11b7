// Rotation with zoom: every destination pixel of the rotated bounding box is
// mapped back into the source by the inverse steps (16.16, 64-bit). For each
// row the run of pixels that land inside the source is solved exactly, so
// the loop over it needs no tests.

#include <algorithm>
#include <vector>

#include "graphics/raster_runners.h"
#include "graphics/rotation.h"
#include "graphics/row_kernels.h"

namespace rivo {
namespace {

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The j of [0, count) for which lo <= start + j * step < hi.
void SolveRun(int64_t start, int64_t step, int64_t lo, int64_t hi, int32_t count, int32_t& j0,
              int32_t& j1) {
  int64_t a = 0, b = count;
  if (step == 0) {
    if (start < lo || start >= hi) b = 0;
  } else if (step > 0) {
    a = std::max(a, -FloorDiv(start - lo, step));            // ceil((lo - start) / step)
    b = std::min(b, FloorDiv(hi - 1 - start, step) + 1);
  } else {
    a = std::max(a, -FloorDiv(hi - 1 - start, -step));        // ceil((start - hi + 1) / -step)
    b = std::min(b, FloorDiv(start - lo, -step) + 1);
  }
  j0 = static_cast<int32_t>(std::clamp<int64_t>(a, 0, count));
  j1 = static_cast<int32_t>(std::clamp<int64_t>(b, j0, count));
}

// Source columns (rows) relative to the source rectangle that lie inside
// the source surface: [lo, hi).
void InsideRange(int32_t s_lo, int32_t s_hi, int32_t size, bool flip, int64_t& lo, int64_t& hi) {
  const int64_t len = int64_t{s_hi} - s_lo;
  lo = flip ? std::max<int64_t>(0, int64_t{s_hi} - size) : std::max<int64_t>(0, -int64_t{s_lo});
  hi = flip ? std::min<int64_t>(len, s_hi) : std::min<int64_t>(len, int64_t{size} - s_lo);
}

template <class P>
void Rotate(const TPixelTarget& t, const RasterOp& op, const TPixelSource& src,
            const TPixelSource& mask, const TRect& box, int64_t lo_x, int64_t hi_x, int64_t lo_y,
            int64_t hi_y) {
  using Pixel = typename P::Pixel;
  using R = Rows<P>;
  const TRotationSteps st = RotationSteps({op.angle, op.pivot_x, op.pivot_y, op.zoom_x, op.zoom_y});
  const TRect& S = op.source_rect;
  const RowKey key{op.use_key && src.transparent != -1,
                   P::FromValue(static_cast<uint32_t>(src.transparent))};
  const int32_t code = op.alpha;
  const uint32_t low = ClampWeight(code > 255 ? code - 256 : code);
  std::vector<Pixel> line(static_cast<std::size_t>(box.Width()));
  std::vector<uint8_t> mask_line(mask.Valid() ? line.size() : 0);
  const int64_t dx0 = int64_t{box.Left} - op.x;
  // Source pixel (column c, row r) of the rectangle, mirrored as asked, lies
  // origin + r * row_stride + c * column_stride bytes into the source.
  const std::ptrdiff_t first_column = op.flip_h ? S.Right - 1 : S.Left;
  const std::ptrdiff_t first_row = op.flip_v ? S.Bottom - 1 : S.Top;
  const std::ptrdiff_t column_step = op.flip_h ? -1 : 1;
  const std::ptrdiff_t size = sizeof(Pixel);
  const std::ptrdiff_t origin = first_row * src.pitch + first_column * size;
  const std::ptrdiff_t row_stride = op.flip_v ? -src.pitch : src.pitch;
  const std::ptrdiff_t mask_origin = first_row * mask.pitch + first_column;
  const std::ptrdiff_t mask_row_stride = op.flip_v ? -mask.pitch : mask.pitch;
  for (int32_t y = box.Top; y < box.Bottom; ++y) {
    const int64_t dy = int64_t{y} - op.y;
    const int64_t sx = int64_t{op.pivot_x} * 65536 + dx0 * st.row_x + dy * st.column_x;
    const int64_t sy = int64_t{op.pivot_y} * 65536 + dx0 * st.row_y + dy * st.column_y;
    int32_t a0, a1, b0, b1;
    SolveRun(sx, st.row_x, lo_x * 65536, hi_x * 65536, box.Width(), a0, a1);
    SolveRun(sy, st.row_y, lo_y * 65536, hi_y * 65536, box.Width(), b0, b1);
    const int32_t j0 = std::max(a0, b0), j1 = std::min(a1, b1);
    if (j0 >= j1) continue;
    const int32_t n = j1 - j0;
    Pixel* d = t.Row<Pixel>(y) + box.Left + j0;
    // A plain copy samples straight into the destination.
    const bool direct = code == 255 && !key.enabled && !mask.Valid();
    Pixel* out = direct ? d : line.data();
    int64_t X = sx + j0 * st.row_x, Y = sy + j0 * st.row_y;
    for (int32_t j = 0; j < n; ++j, X += st.row_x, Y += st.row_y) {
      const std::ptrdiff_t c = (X >> 16) * column_step, r = Y >> 16;
      out[j] = *reinterpret_cast<const Pixel*>(src.bits + origin + r * row_stride + c * size);
      if (mask.Valid())
        mask_line[static_cast<std::size_t>(j)] = mask.bits[mask_origin + r * mask_row_stride + c];
    }
    if (direct) continue;
    if (mask.Valid()) {
      if (code == 255) R::MaskBlend(d, line.data(), mask_line.data(), n, 1, {256, At255::kCopy}, false);
      else if (code < 255) R::MaskBlend(d, line.data(), mask_line.data(), n, 1, {low, At255::kFormula}, false);
      else R::MaskAdd(d, line.data(), mask_line.data(), n, 1, {low, At255::kFormula});
    } else if (code == 255) {
      R::CopyKeyed(d, line.data(), n, 1, key);
    } else if (code < 255) {
      R::Blend(d, line.data(), n, 1, low, key, false);
    } else {
      R::Add(d, line.data(), n, 1, low, key);
    }
  }
}

}  // namespace

void RunRotate(const TPixelTarget& t, const RasterOp& op) {
  if (op.alpha <= 0 || op.zoom_x <= 0 || op.zoom_y <= 0) return;
  const TPixelSource src = PixelsOf(op.source);
  if (!src.Valid() || src.bit_count != t.bit_count || op.source_rect.IsEmpty()) return;
  int32_t width = src.width, height = src.height;
  TPixelSource mask;
  if (op.kind == RasterOpKind::kDrawRotateMask) {
    mask = PixelsOf(op.mask);
    if (!mask.Valid() || mask.bit_count != 8) return;
    width = std::min(width, mask.width);
    height = std::min(height, mask.height);
  }
  const TRect& S = op.source_rect;
  int64_t lo_x, hi_x, lo_y, hi_y;
  InsideRange(S.Left, S.Right, width, op.flip_h, lo_x, hi_x);
  InsideRange(S.Top, S.Bottom, height, op.flip_v, lo_y, hi_y);
  if (lo_x >= hi_x || lo_y >= hi_y) return;
  const TRect box = Intersect(op.Extent(), t.clip);
  if (box.IsEmpty()) return;
  WithPolicy(t.bit_count,
             [&]<class P>() { Rotate<P>(t, op, src, mask, box, lo_x, hi_x, lo_y, hi_y); });
}

}  // namespace rivo

// Stretching: nearest-pixel sampling in 16.16 fixed point. The steps are
// the source/destination ratio truncated to 16.16; when the clip rectangle
// cuts columns (rows) off the left (top), the source start moves by the
// cut times the ratio, its fraction kept. Positions are 64-bit and the
// column table is sized per call, so any size and distance works.

#include <cstdint>
#include <utility>
#include <vector>

#include "common/numbers.h"
#include "graphics/raster_runners.h"
#include "graphics/row_kernels.h"

namespace rivo {
namespace {

// One axis of a stretch after clipping: destination [lo, hi) samples the
// source at position start + i * step (16.16), source index = floor.
struct Axis {
  int32_t lo = 0, hi = 0;
  int64_t start = 0, step = 0;
};

bool SetUpAxis(int32_t dest_lo, int32_t dest_hi, int32_t clip_lo, int32_t clip_hi, int32_t src_lo,
               int32_t src_hi, bool flip, Axis& a) {
  const int64_t dest_len = int64_t{dest_hi} - dest_lo, src_len = int64_t{src_hi} - src_lo;
  if (dest_len <= 0 || src_len <= 0) return false;
  a.lo = std::max(dest_lo, clip_lo);
  a.hi = std::min(dest_hi, clip_hi);
  if (a.lo >= a.hi) return false;
  const long double ratio = static_cast<long double>(src_len) / static_cast<long double>(dest_len);
  const long double cut = (int64_t{a.lo} - dest_lo) * ratio;
  const int64_t whole = Trunc(cut);
  const int64_t fraction = Trunc((cut - static_cast<long double>(whole)) * 65536);
  const int64_t step = Trunc(ratio * 65536);
  a.start = flip ? (src_hi - whole) * 65536 - fraction - 1 : (src_lo + whole) * 65536 + fraction;
  a.step = flip ? -step : step;
  return true;
}

int64_t FloorDiv65536(int64_t v) { return v >> 16; }  // arithmetic shift floors

struct Prepared {
  TPixelSource src, mask;
  Axis x, y;
  std::vector<int32_t> columns;  // source column per destination column
  int32_t first = 0, last = 0;   // columns[first, last) lie inside the source
  // Columns one source pixel apart, left to right (a stretch at 1:1 across):
  // rows are read where they lie instead of gathered.
  bool direct = false;
};

// Whether the bytes of two sets of rows lie apart. A surface stretched
// onto itself is gathered row by row first, as the rows may overlap.
bool Apart(const uint8_t* a, std::ptrdiff_t a_pitch, int32_t a_height, const uint8_t* b, std::ptrdiff_t b_pitch,
           int32_t b_height) {
  const auto span = [](const uint8_t* bits, std::ptrdiff_t pitch, int32_t height) {
    const auto at = reinterpret_cast<std::uintptr_t>(bits);
    const auto size = static_cast<std::uintptr_t>(pitch < 0 ? -pitch : pitch) * static_cast<std::uintptr_t>(height);
    const std::uintptr_t lo = pitch < 0 ? at - size + static_cast<std::uintptr_t>(-pitch) : at;
    return std::pair{lo, lo + size};
  };
  const auto [a_lo, a_hi] = span(a, a_pitch, a_height);
  const auto [b_lo, b_hi] = span(b, b_pitch, b_height);
  return a_hi <= b_lo || b_hi <= a_lo;
}

template <class P>
void Stretch(const TPixelTarget& t, const RasterOp& op, Prepared& s) {
  using Pixel = typename P::Pixel;
  using R = Rows<P>;
  const int32_t n = s.last - s.first;
  const int32_t* cols = s.columns.data() + s.first;
  const bool indexed = op.kind == RasterOpKind::kStretchDrawIndexed;
  const bool masked = op.kind == RasterOpKind::kStretchDrawMask ||
                      op.kind == RasterOpKind::kStretchDrawAddMask;
  const RowKey key{(op.use_key || indexed) && s.src.transparent != -1,
                   indexed ? static_cast<uint32_t>(s.src.transparent)
                           : P::FromValue(static_cast<uint32_t>(s.src.transparent))};
  const uint32_t w = ClampWeight(indexed && op.alpha > 255 ? op.alpha - 256 : op.alpha);
  const bool plain_copy = op.kind == RasterOpKind::kStretchDraw && op.alpha >= 255 && !key.enabled;
  std::vector<Pixel> line(s.direct ? 0 : static_cast<std::size_t>(n));
  std::vector<uint8_t> mask_line(masked && !s.direct ? static_cast<std::size_t>(n) : 0);
  const Pixel* samples = line.data();
  const uint8_t* mask_samples = mask_line.data();
  int64_t previous_row = -1;
  Pixel* previous_dest = nullptr;
  int64_t Y = s.y.start;
  for (int32_t y = s.y.lo; y < s.y.hi; ++y, Y += s.y.step) {
    const int64_t row = FloorDiv65536(Y);
    if (row < op.source_rect.Top || row >= op.source_rect.Bottom || row < 0 || row >= s.src.height)
      continue;
    Pixel* d = t.Row<Pixel>(y) + s.x.lo + s.first;
    if (row == previous_row && plain_copy) {
      R::Copy(d, previous_dest, n, 1);  // the same source row again: repeat the finished row
      previous_dest = d;
      continue;
    }
    if (row != previous_row && s.direct) {
      samples = s.src.Row<Pixel>(static_cast<int32_t>(row)) + cols[0];
      if (masked) mask_samples = s.mask.Row<uint8_t>(static_cast<int32_t>(row)) + cols[0];
      if (plain_copy) R::Copy(d, samples, n, 1);
      previous_row = row;
      previous_dest = d;
      if (plain_copy) continue;
    } else if (row != previous_row) {
      // Gather the row's samples once; repeated rows reuse them.
      if (indexed) {
        const uint8_t* srow = s.src.Row<uint8_t>(static_cast<int32_t>(row));
        for (int32_t j = 0; j < n; ++j) line[j] = static_cast<Pixel>(srow[cols[j]]);
      } else {
        const Pixel* srow = s.src.Row<Pixel>(static_cast<int32_t>(row));
        Pixel* out = plain_copy ? d : line.data();
        for (int32_t j = 0; j < n; ++j) out[j] = srow[cols[j]];
      }
      if (masked) {
        const uint8_t* mrow = s.mask.Row<uint8_t>(static_cast<int32_t>(row));
        for (int32_t j = 0; j < n; ++j) mask_line[j] = mrow[cols[j]];
      }
      previous_row = row;
      previous_dest = d;
      if (plain_copy) continue;
    }
    switch (op.kind) {
      case RasterOpKind::kStretchDraw:
        if (op.alpha >= 255) R::CopyKeyed(d, samples, n, 1, key);
        else R::Blend(d, samples, n, 1, w, key, false);
        break;
      case RasterOpKind::kStretchDrawAdd: R::Add(d, samples, n, 1, w, key); break;
      case RasterOpKind::kStretchDrawMask:
        R::MaskBlend(d, samples, mask_samples, n, 1,
                     op.alpha >= 255 ? MaskRule{256, At255::kCopy} : MaskRule{w, At255::kAlpha},
                     false);
        break;
      case RasterOpKind::kStretchDrawAddMask:
        R::MaskAdd(d, samples, mask_samples, n, 1, {w, At255::kAlpha});
        break;
      default:  // indexed: line holds indices
        for (int32_t j = 0; j < n; ++j) {
          if (key.Skips(line[j])) continue;
          const Pixel c = P::FromValue(op.color_table[static_cast<uint8_t>(line[j])]);
          if (op.alpha == 255) d[j] = c;
          else if (op.alpha < 255) d[j] = P::Blend(c, d[j], w);
          else d[j] = P::Add(d[j], c, w);
        }
        break;
    }
  }
}

}  // namespace

void RunStretch(const TPixelTarget& t, const RasterOp& op) {
  if (op.alpha <= 0) return;
  const bool indexed = op.kind == RasterOpKind::kStretchDrawIndexed;
  if (indexed && !op.color_table) return;
  Prepared s;
  s.src = PixelsOf(op.source);
  if (!s.src.Valid() || s.src.bit_count != (indexed ? 8 : t.bit_count)) return;
  int32_t width = s.src.width, height = s.src.height;
  if (op.kind == RasterOpKind::kStretchDrawMask || op.kind == RasterOpKind::kStretchDrawAddMask) {
    s.mask = PixelsOf(op.mask);
    if (!s.mask.Valid() || s.mask.bit_count != 8) return;
    width = std::min(width, s.mask.width);
    height = std::min(height, s.mask.height);
  }
  s.src.height = height;
  const TRect& S = op.source_rect;
  if (!SetUpAxis(op.rect.Left, op.rect.Right, t.clip.Left, t.clip.Right, S.Left, S.Right,
                 op.flip_h, s.x) ||
      !SetUpAxis(op.rect.Top, op.rect.Bottom, t.clip.Top, t.clip.Bottom, S.Top, S.Bottom,
                 op.flip_v, s.y))
    return;
  // Sample positions move monotonically, so those inside the source form one run.
  s.columns.resize(static_cast<std::size_t>(s.x.hi - s.x.lo));
  s.first = static_cast<int32_t>(s.columns.size());
  s.last = 0;
  int64_t X = s.x.start;
  for (int32_t j = 0; j < static_cast<int32_t>(s.columns.size()); ++j, X += s.x.step) {
    const int64_t column = FloorDiv65536(X);
    const bool inside = column >= 0 && column < width;
    s.columns[static_cast<std::size_t>(j)] = inside ? static_cast<int32_t>(column) : 0;
    if (inside) {
      s.first = std::min(s.first, j);
      s.last = j + 1;
    }
  }
  if (s.first >= s.last) return;
  s.direct = s.x.step == 65536 && !indexed &&
             Apart(t.bits, t.pitch, t.height, s.src.bits, s.src.pitch, s.src.height) &&
             (!s.mask.Valid() || Apart(t.bits, t.pitch, t.height, s.mask.bits, s.mask.pitch, s.mask.height));
  WithPolicy(t.bit_count, [&]<class P>() { Stretch<P>(t, op, s); });
}

}  // namespace rivo

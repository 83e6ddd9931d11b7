// The pixel operations of a glyph: solid and blended colour, composite over,
// the coverage writes and the border. Channel arithmetic is unsigned: a
// channel times a weight reaches about 4.3e9, beyond a signed 32-bit value.

#include <algorithm>
#include <cstring>
#include <vector>

#include "text/font_pixel.h"

namespace rivo {
namespace {

constexpr uint32_t kChannelMasks[3] = {0xFF0000, 0x00FF00, 0x0000FF};

// The part of a w x h bitmap placed at (x, y) that falls inside clip, in
// bitmap coordinates.
struct Window {
  int32_t left, top, right, bottom;
  bool IsEmpty() const { return right <= left || bottom <= top; }
};

Window VisiblePart(const TDIBX& bitmap, const TRect& clip, int32_t x, int32_t y) {
  // 64-bit: positions from scripts may sit near the ends of the 32-bit range.
  const int64_t left = std::max<int64_t>(0, int64_t{clip.Left} - x);
  const int64_t top = std::max<int64_t>(0, int64_t{clip.Top} - y);
  const int64_t right = std::min<int64_t>(bitmap.Width(), int64_t{clip.Right} - x);
  const int64_t bottom = std::min<int64_t>(bitmap.Height(), int64_t{clip.Bottom} - y);
  if (right <= left || bottom <= top) return {0, 0, 0, 0};
  return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
          static_cast<int32_t>(bottom)};
}

TRect ClipOf(const TDIBX& layer) { return Intersect(layer.GetClipRect(), layer.GetBounds()); }

// Rows of a layer by address: the store is unshared once per operation,
// not once per row.
template <typename Pixel>
struct Rows {
  uint8_t* base;
  std::ptrdiff_t pitch;
  explicit Rows(TDIBX& layer) : base(layer.Store().MutableBits()), pitch(layer.Store().Pitch()) {}
  Pixel* operator[](int64_t y) const { return reinterpret_cast<Pixel*>(base + y * pitch); }
};

// Calls visit(bitmap row, j) for every visible bitmap row j.
template <typename Visit>
void ForEachRow(const TDIBX& bitmap, const Window& w, Visit visit) {
  const uint8_t* base = bitmap.Store().Bits();
  const std::ptrdiff_t pitch = bitmap.Store().Pitch();
  for (int32_t j = w.top; j < w.bottom; ++j) visit(base + j * pitch, j);
}

// dst := max(dst, src) over n >= N bytes in blocks of N (each one vector
// operation), the last block overlapping the one before. Taking the maximum
// twice changes nothing; the last block is read before any block is
// written, since reading bytes just written in part stalls the processor.
template <std::size_t N>
void MaxBlocks(uint8_t* dst, const uint8_t* src, int32_t n) {
  auto max_of = [](uint8_t (&block)[N], const uint8_t* d, const uint8_t* s) {
    for (std::size_t k = 0; k < N; ++k) block[k] = std::max(d[k], s[k]);
  };
  uint8_t last[N], block[N];
  max_of(last, dst + n - N, src + n - N);
  for (int32_t i = 0; i + static_cast<int32_t>(N) < n; i += N) {
    max_of(block, dst + i, src + i);
    std::memcpy(dst + i, block, N);
  }
  std::memcpy(dst + n - N, last, N);
}

}  // namespace

uint32_t MixChannels(uint32_t w, uint32_t x, uint32_t y) {
  uint32_t out = 0;
  for (uint32_t m : kChannelMasks) out |= ((w * (x & m) + (255 - w) * (y & m)) >> 8) & m;
  return out;
}

namespace {

// Exact quotients of numbers below 65536 by multiplying: the border pass
// composites every pixel (2k + 1)^2 - 1 times, and divisions dominate it.
constexpr uint32_t DivideBy255(uint32_t n) { return (n * 0x8081u) >> 23; }

struct Reciprocals {
  uint64_t of[256] = {};
  constexpr Reciprocals() {
    for (uint32_t d = 1; d < 256; ++d) of[d] = (uint64_t{1} << 32) / d + 1;
  }
};
constexpr Reciprocals kReciprocals;

constexpr uint32_t Divide(uint32_t n, uint32_t d) {
  return static_cast<uint32_t>((n * kReciprocals.of[d]) >> 32);
}

}  // namespace

void CompositeOver(uint32_t& p, uint8_t& a, uint32_t v, uint32_t colour) {
  if (v == 0) return;
  if (v >= 255) {
    p = colour;
    a = 255;
    return;
  }
  const uint32_t covered = a + DivideBy255(v * (255u - a));
  a = static_cast<uint8_t>(covered);
  const uint32_t s = covered == 0 ? 255 : Divide(v * 255u, covered);
  p = MixChannels(s, colour, p);
}

void TFontPixel::DrawSolid(TDIBX& layer, int32_t x, int32_t y, uint32_t colour) const {
  if (IsBlank() || layer.BitCount() != 32) return;
  const Window w = VisiblePart(Bitmap, ClipOf(layer), x, y);
  if (w.IsEmpty()) return;
  const Rows<uint32_t> rows(layer);
  ForEachRow(Bitmap, w, [&](const uint8_t* src, int32_t j) {
    // A plain select over the whole row: the compiler turns it into vector
    // blends, faster than skipping the empty runs pixel by pixel.
    uint32_t* __restrict dst = rows[int64_t{y} + j] + x;
    const uint8_t* __restrict from = src;
    for (int32_t i = w.left; i < w.right; ++i) dst[i] = from[i] != 0 ? colour : dst[i];
  });
}

void TFontPixel::DrawBlend(TDIBX& layer, int32_t x, int32_t y, uint32_t text, uint32_t border) const {
  if (IsBlank() || layer.BitCount() != 32) return;
  const Window w = VisiblePart(Bitmap, ClipOf(layer), x, y);
  if (w.IsEmpty()) return;
  const Rows<uint32_t> rows(layer);
  ForEachRow(Bitmap, w, [&](const uint8_t* src, int32_t j) {
    uint32_t* dst = rows[int64_t{y} + j] + x;
    for (int32_t i = w.left; i < w.right; ++i)
      if (src[i] != 0) dst[i] = src[i] == 255 ? text : MixChannels(src[i], text, border);
  });
}

void TFontPixel::DrawOver(TDIBX& colour_layer, TDIBX& coverage_layer, uint32_t colour, int32_t x,
                          int32_t y) const {
  if (IsBlank() || colour_layer.BitCount() != 32 || coverage_layer.BitCount() != 8) return;
  const TRect clip = Intersect(ClipOf(colour_layer), coverage_layer.GetBounds());
  const Window w = VisiblePart(Bitmap, clip, x, y);
  if (w.IsEmpty()) return;
  const Rows<uint32_t> colours(colour_layer);
  const Rows<uint8_t> coverages(coverage_layer);
  ForEachRow(Bitmap, w, [&](const uint8_t* src, int32_t j) {
    uint32_t* p = colours[int64_t{y} + j] + x;
    uint8_t* a = coverages[int64_t{y} + j] + x;
    for (int32_t i = w.left; i < w.right; ++i) CompositeOver(p[i], a[i], src[i], colour);
  });
}

void TFontPixel::SetCoverage(TDIBX& coverage_layer, int32_t x, int32_t y) const {
  if (IsBlank() || coverage_layer.BitCount() != 8) return;
  const Window w = VisiblePart(Bitmap, ClipOf(coverage_layer), x, y);
  if (w.IsEmpty()) return;
  const Rows<uint8_t> rows(coverage_layer);
  ForEachRow(Bitmap, w, [&](const uint8_t* src, int32_t j) {
    uint8_t* dst = rows[int64_t{y} + j] + x;
    for (int32_t i = w.left; i < w.right; ++i) dst[i] = src[i] != 0 ? 255 : dst[i];
  });
}

void TFontPixel::MaxCoverage(TDIBX& coverage_layer, int32_t x, int32_t y) const {
  if (IsBlank() || coverage_layer.BitCount() != 8) return;
  const Window w = VisiblePart(Bitmap, ClipOf(coverage_layer), x, y);
  if (w.IsEmpty()) return;
  const Rows<uint8_t> rows(coverage_layer);
  // Glyph rows are short: a byte-by-byte tail would cost as much as the
  // vector part, so rows of 8 bytes or more go in whole blocks.
  ForEachRow(Bitmap, w, [&](const uint8_t* src, int32_t j) {
    uint8_t* dst = rows[int64_t{y} + j] + x;
    const int32_t n = w.right - w.left;
    if (n >= 16) {
      MaxBlocks<16>(dst + w.left, src + w.left, n);
    } else if (n >= 8) {
      MaxBlocks<8>(dst + w.left, src + w.left, n);
    } else {
      for (int32_t i = w.left; i < w.right; ++i) dst[i] = std::max(dst[i], src[i]);
    }
  });
}

void TFontPixel::DrawBorder(TDIBX& colour_layer, TDIBX& coverage_layer, uint32_t colour, int32_t k,
                            int32_t x, int32_t y) const {
  if (IsBlank() || k < 1 || colour_layer.BitCount() != 32 || coverage_layer.BitCount() != 8) return;
  k = std::min(k, kMaxBorderWidth);
  const TRect clip = Intersect(ClipOf(colour_layer), coverage_layer.GetBounds());
  if (clip.IsEmpty()) return;
  // The offsets, prepared once as distances in each layer's memory.
  struct Offset {
    int32_t dx, dy;
    std::ptrdiff_t colour, coverage;
  };
  const std::ptrdiff_t colour_pitch = colour_layer.Store().Pitch();
  const std::ptrdiff_t coverage_pitch = coverage_layer.Store().Pitch();
  std::vector<Offset> offsets;
  offsets.reserve(static_cast<std::size_t>((2 * k + 1) * (2 * k + 1)));
  for (int32_t dy = -k; dy <= k; ++dy)
    for (int32_t dx = -k; dx <= k; ++dx)
      if (dx != 0 || dy != 0) offsets.push_back({dx, dy, dy * colour_pitch + dx * 4, dy * coverage_pitch + dx});

  uint8_t* colour_base = colour_layer.Store().MutableBits();
  uint8_t* coverage_base = coverage_layer.Store().MutableBits();
  const uint8_t* bitmap_base = Bitmap.Store().Bits();
  const std::ptrdiff_t bitmap_pitch = Bitmap.Store().Pitch();
  const int64_t x0 = int64_t{x} - k, y0 = int64_t{y} - k;
  const int64_t x1 = int64_t{x} + Width() + k - 1, y1 = int64_t{y} + Height() + k - 1;
  const bool inside = x0 >= clip.Left && y0 >= clip.Top && x1 < clip.Right && y1 < clip.Bottom;
  if (inside) {
    // Nothing to test: walk each pixel's offsets straight through memory.
    for (int32_t j = 0; j < Height(); ++j) {
      const uint8_t* src = bitmap_base + j * bitmap_pitch;
      for (int32_t i = 0; i < Width(); ++i) {
        if (src[i] == 0) continue;
        uint8_t* p = colour_base + (y + j) * colour_pitch + (x + i) * 4;
        uint8_t* a = coverage_base + (y + j) * coverage_pitch + (x + i);
        for (const Offset& o : offsets)
          CompositeOver(*reinterpret_cast<uint32_t*>(p + o.colour), a[o.coverage], src[i], colour);
      }
    }
    return;
  }
  for (int32_t j = 0; j < Height(); ++j) {
    const int64_t row = int64_t{y} + j;
    if (row + k < clip.Top || row - k >= clip.Bottom) continue;
    const uint8_t* src = bitmap_base + j * bitmap_pitch;
    for (int32_t i = 0; i < Width(); ++i) {
      if (src[i] == 0) continue;
      const int64_t column = int64_t{x} + i;
      for (const Offset& o : offsets) {
        const int64_t px = column + o.dx, py = row + o.dy;
        if (px < clip.Left || px >= clip.Right || py < clip.Top || py >= clip.Bottom) continue;
        CompositeOver(*reinterpret_cast<uint32_t*>(colour_base + py * colour_pitch + px * 4),
                      coverage_base[py * coverage_pitch + px], src[i], colour);
      }
    }
  }
}

}  // namespace rivo

// Resampling a store to a new size: the screen-capture pictures and the
// menu previews shrink (box average) or grow (bilinear) with single-precision
// weights, as the pictures have always been made.

#include <cmath>

#include "graphics/dib_surface.h"

namespace rivo {
namespace {

uint8_t RoundComponent(float v) {
  const float r = std::nearbyint(v);  // ties to even
  return static_cast<uint8_t>(r < 0 ? 0 : r > 255 ? 255 : r);
}

// Works on 24-bit pictures: source read, this written.
void Bilinear(const TDIBSurface& source, TDIBSurface& dest, float rx, float ry) {
  const int32_t w = source.Width(), h = source.Height();
  auto component = [&](int32_t x, int32_t y, int channel) -> float {
    if (x < 0 || y < 0 || x >= w || y >= h) return 0;
    return static_cast<float>((source.ReadPixel(x, y) >> (8 * channel)) & 0xFF);
  };
  for (int32_t Y = 0; Y < dest.Height(); ++Y) {
    const float sy = static_cast<float>(Y) / ry;
    const auto iy = static_cast<int32_t>(std::floor(sy));
    const float fy = sy - static_cast<float>(iy);
    for (int32_t X = 0; X < dest.Width(); ++X) {
      const float sx = static_cast<float>(X) / rx;
      const auto ix = static_cast<int32_t>(std::floor(sx));
      const float fx = sx - static_cast<float>(ix);
      uint32_t value = 0;
      for (int channel = 0; channel < 3; ++channel) {
        float sum = 0;
        for (int j = 0; j < 2; ++j)
          for (int i = 0; i < 2; ++i)
            sum += component(ix + i, iy + j, channel) * (i == 0 ? 1 - fx : fx) *
                   (j == 0 ? 1 - fy : fy);
        value |= uint32_t{RoundComponent(sum)} << (8 * channel);
      }
      dest.WritePixel(X, Y, value);
    }
  }
}

// original holds the pixels in their own format for the key test; working
// is the same picture at 24 bits.
void BoxAverage(const TDIBSurface& original, const TDIBSurface& working, TDIBSurface& dest,
                float rx, float ry, int64_t key) {
  const int32_t w = working.Width(), h = working.Height();
  const TRgb key_color = original.ValueToColor(static_cast<uint32_t>(key), true);
  const uint32_t key_value = uint32_t{key_color.blue} | uint32_t{key_color.green} << 8 |
                             uint32_t{key_color.red} << 16;
  for (int32_t Y = 0; Y < dest.Height(); ++Y) {
    const auto y0 = static_cast<int32_t>(std::floor(static_cast<float>(Y) / ry));
    const auto y1 = std::min(h, static_cast<int32_t>(std::floor(static_cast<float>(Y + 1) / ry)));
    for (int32_t X = 0; X < dest.Width(); ++X) {
      const auto x0 = static_cast<int32_t>(std::floor(static_cast<float>(X) / rx));
      const auto x1 =
          std::min(w, static_cast<int32_t>(std::floor(static_cast<float>(X + 1) / rx)));
      uint32_t sum[3] = {0, 0, 0};
      uint32_t n = 0;
      for (int32_t y = y0; y < y1; ++y)
        for (int32_t x = x0; x < x1; ++x) {
          if (key >= 0 && original.ReadPixel(x, y) == key) continue;
          const uint32_t v = working.ReadPixel(x, y);
          for (int c = 0; c < 3; ++c) sum[c] += (v >> (8 * c)) & 0xFF;
          ++n;
        }
      uint32_t value = key_value;
      if (n > 0) {
        const float inverse = 1.0f / static_cast<float>(n);
        value = 0;
        for (int c = 0; c < 3; ++c)
          value |= uint32_t{RoundComponent(static_cast<float>(sum[c]) * inverse)} << (8 * c);
      }
      dest.WritePixel(X, Y, value);
    }
  }
}

}  // namespace

void TDIBSurface::Resample(int32_t width, int32_t height, int64_t key, bool smooth) {
  if (width == Width() && height == Height()) return;
  std::unique_ptr<TDIBSurface> mask = std::move(mask_);
  if (mask) mask->Resample(width, height, -1, smooth);
  TDIBSurface original = *this;
  const int32_t bits = EffectiveBitCount();
  if (!smooth || original.IsEmpty()) {
    SetSize(width, height, bits);
    for (int32_t Y = 0; Y < Height(); ++Y)
      for (int32_t X = 0; X < Width(); ++X)
        WritePixel(X, Y,
                   original.ReadPixel(static_cast<int32_t>(int64_t{X} * original.Width() / width),
                                      static_cast<int32_t>(int64_t{Y} * original.Height() / height)));
  } else {
    TDIBSurface working = original;
    working.SetBitCount(24);
    SetSize(width, height, 24);
    const float rx = static_cast<float>(width) / static_cast<float>(original.Width());
    const float ry = static_cast<float>(height) / static_cast<float>(original.Height());
    if (original.Width() < width || original.Height() < height)
      Bilinear(working, *this, rx, ry);
    else
      BoxAverage(original, working, *this, rx, ry, key);
    SetBitCount(bits);
  }
  mask_ = std::move(mask);
}

}  // namespace rivo

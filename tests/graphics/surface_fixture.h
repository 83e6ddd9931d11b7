#pragma once
// Small surfaces for the drawing tests.

#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/dibx.h"

namespace rivo::testing {

inline std::unique_ptr<TDIBX> Surface(int32_t width, int32_t height, int32_t bits = 32,
                                      uint32_t fill = 0) {
  auto s = std::make_unique<TDIBX>();
  s->SetSize(width, height, bits);
  s->Clear(fill);
  return s;
}

// Pixel (x, y) = values[y * width + x].
inline std::unique_ptr<TDIBX> SurfaceOf(int32_t width, int32_t height, int32_t bits,
                                        const std::vector<uint32_t>& values) {
  auto s = Surface(width, height, bits);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) s->SetPixel(x, y, values[static_cast<std::size_t>(y * width + x)]);
  return s;
}

inline std::vector<uint32_t> PixelsOf(const TDIBX& s) {
  std::vector<uint32_t> v;
  for (int32_t y = 0; y < s.Height(); ++y)
    for (int32_t x = 0; x < s.Width(); ++x) v.push_back(s.GetPixel(x, y));
  return v;
}

inline std::vector<uint32_t> Row(const TDIBX& s, int32_t y) {
  std::vector<uint32_t> v;
  for (int32_t x = 0; x < s.Width(); ++x) v.push_back(s.GetPixel(x, y));
  return v;
}

// A picture whose every pixel is different: x in blue, y in green.
inline std::unique_ptr<TDIBX> Numbered(int32_t width, int32_t height) {
  auto s = Surface(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) s->SetPixel(x, y, static_cast<uint32_t>(y << 8 | x) + 0x10000);
  return s;
}

inline uint32_t Grey(uint32_t v) { return v << 16 | v << 8 | v; }

}  // namespace rivo::testing

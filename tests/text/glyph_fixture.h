#pragma once
// Layers and glyphs for the glyph cache tests.

#include <cstdint>
#include <random>
#include <string>

#include "common/encoding.h"
#include "graphics/dibx.h"
#include "text/font_pixel.h"

namespace rivo::testing {

inline const std::string& Gothic() {
  static const std::string face = Utf8ToCp932("ＭＳ ゴシック");
  return face;
}

// A colour layer (32 bits) and its coverage layer (8 bits), cleared.
struct LayerPair {
  TDIBX colour;
  TDIBX coverage;
  LayerPair(int32_t width, int32_t height, uint32_t colour_fill = 0, uint8_t coverage_fill = 0) {
    colour.SetSize(width, height, 32);
    coverage.SetSize(width, height, 8);
    colour.Clear(colour_fill);
    coverage.Clear(coverage_fill);
  }
};

// A glyph with a bitmap of random coverage, about a third of it 0 and some 255.
inline void FillRandomGlyph(TFontPixel& glyph, std::mt19937& random, int32_t width, int32_t height) {
  glyph.Bitmap.SetSize(width, height, 8);
  std::uniform_int_distribution<int> pick(0, 299);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      int v = pick(random);
      glyph.Bitmap.SetPixel(x, y, v < 100 ? 0 : v < 130 ? 255 : v % 256);
    }
}

inline void FillRandom(TDIBX& layer, std::mt19937& random) {
  for (int32_t y = 0; y < layer.Height(); ++y)
    for (int32_t x = 0; x < layer.Width(); ++x)
      layer.SetPixel(x, y, layer.BitCount() == 8 ? random() & 0xFF : random() & 0xFFFFFF);
}

}  // namespace rivo::testing

// The pixel operations of a glyph against plain reference implementations
// written from their definitions, over random bitmaps, layers and clips.

#include <gtest/gtest.h>

#include "text/glyph_fixture.h"

namespace rivo {
namespace {

// Reference arithmetic, one channel at a time, in 64 bits.
uint32_t RefMix(uint32_t w, uint32_t x, uint32_t y) {
  uint32_t out = 0;
  for (int shift : {16, 8, 0}) {
    const uint64_t cx = (x >> shift) & 0xFF, cy = (y >> shift) & 0xFF;
    out |= static_cast<uint32_t>(((w * (cx << shift) + (255 - w) * (cy << shift)) >> 8) & (0xFFull << shift));
  }
  return out;
}

void RefOver(TDIBX& colour, TDIBX& coverage, int32_t px, int32_t py, uint32_t v, uint32_t c) {
  if (v == 0) return;
  if (v == 255) {
    colour.SetPixel(px, py, c);
    coverage.SetPixel(px, py, 255);
    return;
  }
  uint32_t a = coverage.GetPixel(px, py);
  a = a + v * (255 - a) / 255;
  coverage.SetPixel(px, py, a);
  const uint32_t s = a == 0 ? 255 : v * 255 / a;
  colour.SetPixel(px, py, RefMix(s, c, colour.GetPixel(px, py)));
}

struct Scene {
  std::mt19937 random;
  TFontPixel glyph;
  testing::LayerPair layers{48, 40};
  TRect clip;
  int32_t x = 0, y = 0;
  uint32_t colour = 0, other = 0;

  explicit Scene(uint32_t seed) : random(seed) {
    // Widths past 32 take rows through more than one vector block.
    std::uniform_int_distribution<int32_t> width(1, 40), size(1, 20), pos(-12, 50), edge(0, 48);
    testing::FillRandomGlyph(glyph, random, width(random), size(random));
    testing::FillRandom(layers.colour, random);
    testing::FillRandom(layers.coverage, random);
    int32_t l = edge(random), r = edge(random), t = edge(random) % 41, b = edge(random) % 41;
    clip = {std::min(l, r), std::min(t, b), std::max(l, r) + 1, std::max(t, b) + 1};
    if (seed % 4 == 0) clip = {0, 0, 48, 40};  // exercises the border's unclipped path
    layers.colour.SetClipRect(clip);
    layers.coverage.SetClipRect(clip);
    x = pos(random);
    y = pos(random);
    colour = random() & 0xFFFFFF;
    other = random() & 0xFFFFFF;
  }
  // Calls f(bitmap x, bitmap y, layer x, layer y, v) for every covered pixel, row-major.
  template <typename F>
  void ForCovered(F f) const {
    for (int32_t j = 0; j < glyph.Height(); ++j)
      for (int32_t i = 0; i < glyph.Width(); ++i)
        if (uint32_t v = glyph.Bitmap.GetPixel(i, j)) f(x + i, y + j, v);
  }
  bool InClip(int32_t px, int32_t py) const {
    return clip.Contains(px, py) && px < 48 && py < 40;
  }
};

void ExpectSame(const TDIBX& actual, const TDIBX& expected, const char* what, uint32_t seed) {
  for (int32_t y = 0; y < expected.Height(); ++y)
    for (int32_t x = 0; x < expected.Width(); ++x)
      ASSERT_EQ(actual.GetPixel(x, y), expected.GetPixel(x, y)) << what << " at " << x << "," << y << " seed " << seed;
}

// Copies of a scene's layers for the reference to draw into.
struct Copy {
  testing::LayerPair layers{48, 40};
  explicit Copy(const Scene& s) {
    for (int32_t y = 0; y < 40; ++y)
      for (int32_t x = 0; x < 48; ++x) {
        layers.colour.SetPixel(x, y, s.layers.colour.GetPixel(x, y));
        layers.coverage.SetPixel(x, y, s.layers.coverage.GetPixel(x, y));
      }
  }
};

TEST(GlyphOperations, DrawOverMatchesTheCompositeRule) {
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    Scene s(seed);
    Copy ref(s);
    s.ForCovered([&](int32_t px, int32_t py, uint32_t v) {
      if (s.InClip(px, py)) RefOver(ref.layers.colour, ref.layers.coverage, px, py, v, s.colour);
    });
    s.glyph.DrawOver(s.layers.colour, s.layers.coverage, s.colour, s.x, s.y);
    ExpectSame(s.layers.colour, ref.layers.colour, "colour", seed);
    ExpectSame(s.layers.coverage, ref.layers.coverage, "coverage", seed);
  }
}

TEST(GlyphOperations, DrawBlendDrawSolidAndTheCoverageWritesMatchTheirDefinitions) {
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    Scene s(seed);
    Copy ref(s);
    s.ForCovered([&](int32_t px, int32_t py, uint32_t v) {
      if (!s.InClip(px, py)) return;
      ref.layers.colour.SetPixel(px, py, v == 255 ? s.colour : RefMix(v, s.colour, s.other));
      ref.layers.coverage.SetPixel(px, py, std::max(v, ref.layers.coverage.GetPixel(px, py)));
    });
    s.glyph.DrawBlend(s.layers.colour, s.x, s.y, s.colour, s.other);
    s.glyph.MaxCoverage(s.layers.coverage, s.x, s.y);
    ExpectSame(s.layers.colour, ref.layers.colour, "blend", seed);
    ExpectSame(s.layers.coverage, ref.layers.coverage, "max coverage", seed);

    s.ForCovered([&](int32_t px, int32_t py, uint32_t) {
      if (!s.InClip(px, py)) return;
      ref.layers.colour.SetPixel(px, py, s.other);
      ref.layers.coverage.SetPixel(px, py, 255);
    });
    s.glyph.DrawSolid(s.layers.colour, s.x, s.y, s.other);
    s.glyph.SetCoverage(s.layers.coverage, s.x, s.y);
    ExpectSame(s.layers.colour, ref.layers.colour, "solid", seed);
    ExpectSame(s.layers.coverage, ref.layers.coverage, "set coverage", seed);
  }
}

TEST(GlyphOperations, DrawBorderCompositesEveryOffsetInsideTheClipInOrder) {
  for (uint32_t seed = 1; seed <= 45; ++seed) {
    Scene s(seed);
    if (seed > 30) {
      // Like text: strokes of full coverage with soft edges, where a later
      // full pixel undoes most composites before it.
      for (int32_t y = 0; y < s.glyph.Height(); ++y)
        for (int32_t x = 0; x < s.glyph.Width(); ++x) {
          const int32_t stroke = (x + 2 * y + static_cast<int32_t>(seed)) % 7;
          s.glyph.Bitmap.SetPixel(x, y, stroke < 3 ? 255 : stroke == 3 ? 90 + x : stroke == 6 ? 200 - y : 0);
        }
    }
    const int32_t k = 1 + static_cast<int32_t>(seed % 3);
    Copy ref(s);
    s.ForCovered([&](int32_t px, int32_t py, uint32_t v) {
      for (int32_t dy = -k; dy <= k; ++dy)
        for (int32_t dx = -k; dx <= k; ++dx)
          if ((dx || dy) && s.InClip(px + dx, py + dy))
            RefOver(ref.layers.colour, ref.layers.coverage, px + dx, py + dy, v, s.colour);
    });
    s.glyph.DrawBorder(s.layers.colour, s.layers.coverage, s.colour, k, s.x, s.y);
    ExpectSame(s.layers.colour, ref.layers.colour, "border colour", seed);
    ExpectSame(s.layers.coverage, ref.layers.coverage, "border coverage", seed);
  }
}

TEST(GlyphOperations, TheCompositeRuleHoldsForEveryCoverageAndDestinationCoverage) {
  for (uint32_t v = 0; v < 256; ++v)
    for (uint32_t a = 0; a < 256; ++a) {
      uint32_t p = 0x3C80F0;
      uint8_t actual_a = static_cast<uint8_t>(a);
      CompositeOver(p, actual_a, v, 0xFFFFFF);
      uint32_t expected_p = 0x3C80F0, expected_a = a;
      if (v == 255) {
        expected_p = 0xFFFFFF;
        expected_a = 255;
      } else if (v > 0) {
        expected_a = a + v * (255 - a) / 255;
        const uint32_t s = expected_a == 0 ? 255 : v * 255 / expected_a;
        expected_p = RefMix(s, 0xFFFFFF, 0x3C80F0);
      }
      ASSERT_EQ(actual_a, expected_a) << v << " over " << a;
      ASSERT_EQ(p, expected_p) << v << " over " << a;
    }
}

TEST(GlyphOperations, ChannelMixingOfWhiteOnWhiteStaysInRange) {
  // 255 x 0xFF0000 does not fit a signed 32-bit product.
  EXPECT_EQ(MixChannels(255, 0xFFFFFF, 0xFFFFFF), 0xFEFEFEu);
  EXPECT_EQ(MixChannels(128, 0xFF0000, 0x00FF00), RefMix(128, 0xFF0000, 0x00FF00));
  uint32_t p = 0xFFFFFF;
  uint8_t a = 0;
  CompositeOver(p, a, 1, 0xFFFFFF);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(p, 0xFEFEFEu);
}

}  // namespace
}  // namespace rivo

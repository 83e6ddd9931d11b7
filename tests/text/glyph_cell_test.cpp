// Drawing glyphs into text cells: centring, plain cells, runs with shadow,
// borders at the clip's edge and the rectangle each cell reports.

#include <gtest/gtest.h>

#include "platform/headless/test_font_rasteriser.h"
#include "text/font_pixel_manager.h"
#include "text/glyph_fixture.h"

namespace rivo {
namespace {

using testing::Gothic;

class GlyphCellTest : public ::testing::Test {
 protected:
  TestFontRasteriser fonts;
  TFontPixelManager cache{fonts};
};

TEST_F(GlyphCellTest, AGlyphIsCentredByItsAbcWidthsOnlyWhenItLeavesRoom) {
  // 0x41 at 20: advance 10, box 7 wide at 1: A 1, B 7, C 2.
  std::shared_ptr<const TFontPixel> a = cache.GetGlyph(0x41, Gothic(), 0, 20);
  EXPECT_EQ(a->CentringShift(10), 0) << "the advance fills min(cell width, size)";
  // Cell of 20 at size 20: free 13; (1 + 7 div 2) * 13 / 10 = 5.2 -> 5, less GlyphLeft 1.
  EXPECT_EQ(a->CentringShift(20), 4);
  EXPECT_EQ(a->CentringShift(40), 4) << "the size bounds the room, not the cell";
  std::shared_ptr<const TFontPixel> big = cache.GetGlyph(0x41, Gothic(), 0, 40);
  // At 40: advance 20, box 17 at 1, C 2: free = 40 - 17 = 23 in a cell of 40;
  // (1 + 8) * 23 / 20 = 10.35 -> 10, less 1.
  EXPECT_EQ(big->CentringShift(40), 9);
}

// A font whose ABC widths add up to nothing.
class ZeroAdvanceFont : public RasterFont {
 public:
  const FontMetrics& Metrics() const override { return metrics_; }
  bool Render(uint16_t, int32_t, RasterGlyph&) override { return false; }
  int32_t TextWidth(uint16_t) override { return 0; }
  AbcWidths CharAbcWidths(uint16_t) override { return {-5, 2, 3}; }

 private:
  FontMetrics metrics_;
};

TEST(GlyphCentring, ABrokenFontWhoseWidthsAddUpToNothingIsCentredPlainly) {
  TFontPixel glyph;
  glyph.Bitmap.SetSize(2, 2, 8);
  glyph.FontSize = 12;
  glyph.Font = std::make_shared<ZeroAdvanceFont>();
  EXPECT_EQ(glyph.CentringShift(12), 5) << "(12 - 2) div 2";
}

TEST_F(GlyphCellTest, APlainCellPaintsTheGlyphAndPutsItsBarsInTheCoverageLayerOnly) {
  cache.SetAntialiasLevel(0);
  std::shared_ptr<const TFontPixel> g = cache.GetGlyph(0x82A0, Gothic(), FS_UNDERLINE, 20);
  testing::LayerPair layers(30, 30, 0x123456);
  TCellStyle style;
  style.text_color = 0xABCDEF;
  const TRect touched = g->DrawCell(layers.colour, layers.coverage, Bounds(4, 2, 20, 24), style);
  const int32_t gx = 4 + g->GlyphLeft, gy = 2 + g->GlyphTop;
  EXPECT_EQ(touched, Union(Bounds(gx, gy, g->Width(), g->Height()), Bounds(4, 2 + 24 - 1, 20, 1)));
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 30; ++x) {
      const bool in_glyph = x >= gx && y >= gy && x < gx + g->Width() && y < gy + g->Height() &&
                            g->Bitmap.GetPixel(x - gx, y - gy) != 0;
      const bool in_bar = x >= 4 && x < 24 && y == 25;
      ASSERT_EQ(layers.colour.GetPixel(x, y), in_glyph ? 0xABCDEFu : 0x123456u) << x << "," << y;
      ASSERT_EQ(layers.coverage.GetPixel(x, y), in_glyph || in_bar ? 255u : 0u) << x << "," << y;
    }
}

TEST_F(GlyphCellTest, ACoverageOnlyCellLeavesTheColourLayerAloneUnlessItHasABorderOrShadow) {
  cache.SetAntialiasLevel(3);
  std::shared_ptr<const TFontPixel> g = cache.GetGlyph(0x82A0, Gothic(), FS_UNDERLINE, 20);
  for (int32_t effect = 0; effect < 3; ++effect) {
    testing::LayerPair both(30, 30, 0x123456), coverage_only(30, 30, 0x123456);
    TCellStyle style;
    style.text_color = 0xABCDEF;
    style.border = effect == 1 ? 1 : 0;
    style.shadow = effect == 2 ? 2 : 0;
    const TRect a = g->DrawCell(both.colour, both.coverage, Bounds(4, 2, 20, 24), style);
    style.coverage_only = true;
    const TRect b = g->DrawCell(coverage_only.colour, coverage_only.coverage, Bounds(4, 2, 20, 24), style);
    EXPECT_EQ(a, b) << effect;
    bool colour_untouched = true;
    for (int32_t y = 0; y < 30; ++y)
      for (int32_t x = 0; x < 30; ++x) {
        ASSERT_EQ(coverage_only.coverage.GetPixel(x, y), both.coverage.GetPixel(x, y)) << effect;
        if (effect > 0) { ASSERT_EQ(coverage_only.colour.GetPixel(x, y), both.colour.GetPixel(x, y)) << effect; }
        colour_untouched = colour_untouched && coverage_only.colour.GetPixel(x, y) == 0x123456u;
      }
    EXPECT_EQ(colour_untouched, effect == 0) << effect;
  }
}

TEST_F(GlyphCellTest, BarsOfARunWithShadowJoinAndLeaveRoomForTheShadowAtTheEnds) {
  // Three cells of 12 x 40 at size 24; the underline (1 px) lies below every glyph.
  TCellStyle style;
  style.shadow = 2;
  style.text_color = 0xFFFFFF;
  style.shadow_color = 0x000080;
  testing::LayerPair layers(40, 40, 0x0F0F0F);
  const uint16_t codes[3] = {0x41, 0x42, 0x43};
  for (int i = 0; i < 3; ++i) {
    style.first_in_run = i == 0;
    style.last_in_run = i == 2;
    std::shared_ptr<const TFontPixel> g = cache.GetGlyph(codes[i], Gothic(), FS_UNDERLINE, 24);
    g->DrawCell(layers.colour, layers.coverage, Bounds(12 * i, 0, 12, 40), style);
  }
  // Shadow bar: (L, T + H - U, W, U), shifted right by 2 in the first cell.
  // Main bar: (L, T + H - d - U, W, U), cut by 2 in the last cell.
  for (int32_t x = 0; x < 40; ++x) {
    const uint32_t shadow = layers.colour.GetPixel(x, 39), main = layers.colour.GetPixel(x, 37);
    EXPECT_EQ(shadow, x >= 2 && x < 36 ? 0x000080u : 0x0F0F0Fu) << "shadow bar at " << x;
    EXPECT_EQ(main, x < 34 ? 0xFFFFFFu : 0x0F0F0Fu) << "main bar at " << x;
  }
}

TEST_F(GlyphCellTest, ABorderedGlyphHalfOutsideTheClipWritesNothingOutsideIt) {
  const TRect clip{10, 8, 30, 26};
  for (int32_t shadow : {0, 3}) {
    testing::LayerPair layers(40, 40, 0x0A0B0C, 7);
    layers.colour.SetClipRect(clip);
    layers.coverage.SetClipRect(clip);
    TCellStyle style;
    style.border = 2;
    style.shadow = shadow;
    style.text_color = 0xFFFFFF;
    style.border_color = 0x00FF00;
    style.shadow_color = 0x0000FF;
    std::shared_ptr<const TFontPixel> g = cache.GetGlyph(0x8EA0, Gothic(), FS_UNDERLINE | FS_STRIKEOUT, 20);
    // The cell straddles the clip's top-left corner.
    const TRect touched = g->DrawCell(layers.colour, layers.coverage, Bounds(0, 0, 20, 20), style);
    int written = 0;
    for (int32_t y = 0; y < 40; ++y)
      for (int32_t x = 0; x < 40; ++x) {
        const bool changed = layers.colour.GetPixel(x, y) != 0x0A0B0Cu || layers.coverage.GetPixel(x, y) != 7u;
        if (!clip.Contains(x, y)) { ASSERT_FALSE(changed) << "outside the clip at " << x << "," << y; }
        if (changed) {
          ++written;
          EXPECT_TRUE(touched.Contains(x, y)) << "outside the touched rectangle at " << x << "," << y;
        }
      }
    EXPECT_GT(written, 50);
  }
}

}  // namespace
}  // namespace rivo

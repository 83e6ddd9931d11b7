// Rendering a page into the two layers and drawing it: relit links render
// exactly as a fresh render would, ruby stands over its group, the layers'
// size, and revealed glyphs drawn at their opacity.

#include <gtest/gtest.h>

#include "common/encoding.h"
#include "graphics/dibx.h"
#include "platform/headless/test_font_rasteriser.h"
#include "text/font_pixel_manager.h"
#include "text/layer_limits.h"
#include "text/qn_word.h"

namespace rivo {
namespace {

struct Rendered {
  TestFontRasteriser fonts;
  TFontPixelManager glyphs{fonts};
  TQnWord word;
  TWdPages pages;

  explicit Rendered(const char* markup_utf8, int32_t font = 20, int32_t wrap = 200, int32_t height = 100) {
    word.ParseText(Utf8ToCp932(markup_utf8), 0);
    word.Glyphs = &glyphs;
    word.FontHeight = font;
    word.WrapWidth = wrap;
    word.PageHeight = height;
    word.FadeTime = 0;
    word.FontColor = 0xFFFFFF;
    word.Layout(pages);
    word.Render(Page(), true);
  }
  TWdPage& Page() { return *pages.at(0); }
  void TypeAll() { word.TypeStep(Page(), 0); }
};

bool SameLayers(TQnWord& a, TQnWord& b) {
  for (TDIBX* pair : {&a.ColorLayer(), &a.CoverageLayer()}) {
    TDIBX& other = pair == &a.ColorLayer() ? b.ColorLayer() : b.CoverageLayer();
    if (pair->Width() != other.Width() || pair->Height() != other.Height()) return false;
    for (int32_t y = 0; y < pair->Height(); ++y)
      for (int32_t x = 0; x < pair->Width(); ++x)
        if (pair->GetPixel(x, y) != other.GetPixel(x, y)) return false;
  }
  return true;
}

TEST(WordRender, ALitLinkRendersAsAFreshRenderWould) {
  const char* text = "<FONT BORDER=2 SHADOW=2>あ<A HREF=x>いう</A>え</FONT>お";
  Rendered lit(text), fresh(text);
  lit.TypeAll();
  fresh.TypeAll();
  lit.word.SetHover(lit.Page(), 30, 10);  // over い
  EXPECT_TRUE(lit.word[1].Kind() == GK_CHAR && static_cast<const TWdChar&>(lit.word[2]).Hover);
  fresh.word.SetHover(fresh.Page(), 30, 10);
  fresh.word.Render(fresh.Page(), false);
  EXPECT_TRUE(SameLayers(lit.word, fresh.word));
  // And back.
  lit.word.SetHover(lit.Page(), -1, -1);
  Rendered plain(text);
  EXPECT_TRUE(SameLayers(lit.word, plain.word));
}

TEST(WordRender, RubyIsSpreadOverItsGroupAboveTheCharacters) {
  Rendered t("<RUBY VALUE=\"あい\">漢字</RUBY>");
  // Size 20, ruby 10: the group is 40 wide, so the two ruby characters sit
  // in cells at 10 - 5 and 30 - 5, the characters 10 lower.
  TDIBX& coverage = t.word.CoverageLayer();
  std::vector<int> band(40, 0);
  int below = 0;
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 40; ++x) {
      if (coverage.GetPixel(x, y) == 0) continue;
      if (y < 10) ++band[static_cast<std::size_t>(x)];
      else ++below;
    }
  int first = 0, second = 0, outside = 0;
  for (int x = 0; x < 40; ++x) (x >= 5 && x < 15 ? first : x >= 25 && x < 35 ? second : outside) += band[static_cast<std::size_t>(x)];
  EXPECT_GT(first, 0);
  EXPECT_GT(second, 0);
  EXPECT_EQ(outside, 0);
  EXPECT_GT(below, 0);
}

TEST(WordRender, TheLayersTakeThePageOrTheViewAndStayWithinTheLimits) {
  struct Case {
    uint8_t paging;
    int32_t wrap, height;
    int32_t width_out, height_out;
  };
  // Five rows of 20 pixels: 100 high.
  const Case cases[] = {
      {1, 40, 30, 40, 30},
      {0, 40, 30, 40, 100},  // scrolling: the whole page
      {0, 40, 300, 40, 300},
      {1, 40, -5, 0, 0},  // a size from a script below 0: no layers
  };
  for (const Case& c : cases) {
    TestFontRasteriser fonts;
    TFontPixelManager glyphs{fonts};
    TQnWord word;
    word.ParseText(Utf8ToCp932("あいうえおかきくけこ"), 0);
    word.Glyphs = &glyphs;
    word.FontHeight = 20;
    word.WrapWidth = 40;
    word.PageHeight = c.paging ? 1000 : c.height;
    word.Paging = c.paging;
    TWdPages pages;
    word.Layout(pages);
    word.WrapWidth = c.wrap;
    word.PageHeight = c.height;
    word.Render(*pages[0], true);
    EXPECT_EQ(word.ColorLayer().Width(), c.width_out);
    EXPECT_EQ(word.ColorLayer().Height(), c.height_out);
    EXPECT_EQ(word.CoverageLayer().Height(), c.height_out);
  }
}

TEST(WordRender, RevealedGlyphsAreDrawnAtTheirOpacityWithinTheTextArea) {
  Rendered t("あい", 20, 40, 20);
  TDIBX surface;
  surface.SetSize(100, 60, 32);
  surface.Clear(0);
  t.word.Surface = &surface;
  t.word.ClipRect = surface.GetBounds();
  t.word.OriginX = 30;
  t.word.OriginY = 20;
  // The brightest pixel between two columns.
  auto brightest = [&](int32_t left, int32_t right) {
    uint32_t most = 0;
    for (int32_t y = 0; y < 60; ++y)
      for (int32_t x = left; x < right; ++x) most = std::max(most, surface.GetPixel(x, y) & 0xFF);
    return most;
  };
  t.word.DrawPage(t.Page());
  EXPECT_EQ(brightest(0, 100), 0u);  // nothing revealed yet
  t.TypeAll();
  static_cast<TWdReal&>(t.word[1]).SetAlpha(128);
  t.word.DrawPage(t.Page());
  const uint32_t opaque = brightest(30, 50), half = brightest(50, 70);
  EXPECT_GT(opaque, 0u);
  EXPECT_GT(half, 0u);
  EXPECT_NEAR(half, opaque * 128 / 255, 2);
  EXPECT_EQ(brightest(0, 30) + brightest(70, 100), 0u);  // nothing outside the text area
}

}  // namespace
}  // namespace rivo

// The glyph cache with the fixed test rasteriser: what is cached and when,
// the coverage of each level, the metrics of blank characters, and fonts
// that cannot be opened.

#include <gtest/gtest.h>

#include <sstream>

#include "platform/headless/test_font_rasteriser.h"
#include "text/coverage_tables.h"
#include "text/font_pixel_manager.h"
#include "text/glyph_fixture.h"

namespace rivo {
namespace {

using testing::Gothic;

TEST(CoverageTables, MapRawLevelsAndClampWhatLiesOutsideTheTable) {
  struct Case {
    int32_t level, raw;
    uint8_t coverage;
  } cases[] = {
      {0, 0, 0},    {0, 1, 255},   {0, 7, 255},   {1, 2, 127},  {1, 4, 255},  {1, 9, 255},
      {2, 8, 159},  {2, 16, 255},  {3, 1, 18},    {3, 64, 255}, {3, 65, 255}, {3, 255, 255},
      {3, -1, 0},   {3, 23, 100},  {3, 24, 119},  {-4, 1, 255}, {9, 1, 255},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CoverageOfLevel(c.level, c.raw), c.coverage) << "level " << c.level << " raw " << c.raw;
}

class GlyphCacheTest : public ::testing::Test {
 protected:
  TestFontRasteriser fonts;
  std::ostringstream log;
  TFontPixelManager cache{fonts, &log};
};

TEST_F(GlyphCacheTest, TheSameKeyGivesTheSameGlyphUntilItFallsOutOfTheRecentList) {
  std::shared_ptr<const TFontPixel> first = cache.GetGlyph(0x889F, Gothic(), 0, 24);
  EXPECT_EQ(cache.GetGlyph(0x889F, Gothic(), 0, 24), first);
  // Other sizes, styles and faces are other glyphs.
  EXPECT_NE(cache.GetGlyph(0x889F, Gothic(), 0, 25), first);
  EXPECT_NE(cache.GetGlyph(0x889F, Gothic(), FS_BOLD, 24), first);
  EXPECT_NE(cache.GetGlyph(0x889F, Utf8ToCp932("ＭＳ 明朝"), 0, 24), first);
  EXPECT_EQ(cache.GetGlyph(0x889F, Gothic(), 0, 24), first);

  for (uint16_t code = 0x8940; cache.CachedCount() < TFontPixelManager::kMaxRecent; ++code)
    cache.GetGlyph(code, Gothic(), 0, 24);
  EXPECT_EQ(cache.GetGlyph(0x889F, Gothic(), 0, 24), first) << "still among the 256 most recent";
  for (uint16_t code = 0x9040; code < 0x9040 + 256; ++code) cache.GetGlyph(code, Gothic(), 0, 24);
  EXPECT_EQ(cache.CachedCount(), TFontPixelManager::kMaxRecent);

  std::shared_ptr<const TFontPixel> again = cache.GetGlyph(0x889F, Gothic(), 0, 24);
  EXPECT_NE(again, first) << "rendered anew";
  // The caller's reference kept the evicted glyph alive and intact.
  ASSERT_EQ(first->Width(), again->Width());
  for (int32_t y = 0; y < first->Height(); ++y)
    for (int32_t x = 0; x < first->Width(); ++x)
      ASSERT_EQ(first->Bitmap.GetPixel(x, y), again->Bitmap.GetPixel(x, y));
}

TEST_F(GlyphCacheTest, EachLevelIsAnEntryOfItsOwnWithItsOwnCoverage) {
  const uint16_t code = 0x82A0;  // あ
  const uint8_t style = 0;
  for (int32_t level : {0, 1, 2, 3}) {
    cache.SetAntialiasLevel(level);
    std::shared_ptr<const TFontPixel> g = cache.GetGlyph(code, Gothic(), style, 20);
    EXPECT_EQ(g->AntialiasLevel, level);
    ASSERT_FALSE(g->IsBlank());
    // The test rasteriser's ramp: raw (x + 2y + code + style) mod (top + 1).
    const int32_t levels = MaxRawLevel(level) + 1;
    for (int32_t y = 0; y < g->Height(); ++y)
      for (int32_t x = 0; x < g->Width(); ++x)
        ASSERT_EQ(g->Bitmap.GetPixel(x, y), CoverageOfLevel(level, (x + 2 * y + code + style) % levels))
            << "level " << level << " at " << x << "," << y;
  }
  EXPECT_EQ(cache.CachedCount(), 4u);
}

TEST_F(GlyphCacheTest, PlacementComesFromTheFontMetrics) {
  // 0x41 at height 20: ascent 16, advance 10, box 7 x 15 at x 1, 2 below the top.
  std::shared_ptr<const TFontPixel> a = cache.GetGlyph(0x41, Gothic(), FS_UNDERLINE | FS_STRIKEOUT, 20);
  EXPECT_EQ(cache.Ascent(), 16);
  EXPECT_EQ(a->Width(), 7);
  EXPECT_EQ(a->Height(), 15);
  EXPECT_EQ(a->GlyphLeft, 1);
  EXPECT_EQ(a->GlyphTop, 2);
  EXPECT_EQ(a->AdvanceRest, 2);
  EXPECT_EQ(a->Advance(), 10);
  EXPECT_EQ(a->UnderlineSize, 1);
  EXPECT_EQ(a->StrikeoutTop, 16 - 16 / 3);
  EXPECT_EQ(a->StrikeoutSize, 1);
  std::shared_ptr<const TFontPixel> plain = cache.GetGlyph(0x41, Gothic(), 0, 20);
  EXPECT_EQ(plain->UnderlineSize, 0);
  EXPECT_EQ(plain->StrikeoutTop, 0);
  EXPECT_EQ(plain->StrikeoutSize, 0);
}

TEST_F(GlyphCacheTest, ASpaceHasNoBitmapItsTextWidthAsAdvanceAndDrawsNothingEvenUnderlined) {
  for (uint16_t code : {uint16_t{0x20}, uint16_t{0x8140}}) {
    for (uint8_t style : {uint8_t{0}, uint8_t{FS_UNDERLINE | FS_STRIKEOUT}}) {
      std::shared_ptr<const TFontPixel> space = cache.GetGlyph(code, Gothic(), style, 24);
      EXPECT_TRUE(space->IsBlank());
      EXPECT_EQ(space->AdvanceRest, code == 0x20 ? 12 : 24);
      EXPECT_EQ(space->Advance(), space->AdvanceRest);
      testing::LayerPair layers(40, 40);
      for (int32_t border : {0, 2}) {
        TCellStyle cell_style;
        cell_style.border = border;
        cell_style.shadow = border;
        EXPECT_TRUE(space->DrawCell(layers.colour, layers.coverage, Bounds(0, 0, 24, 24), cell_style).IsEmpty());
      }
      for (int32_t y = 0; y < 40; ++y)
        for (int32_t x = 0; x < 40; ++x) ASSERT_EQ(layers.coverage.GetPixel(x, y), 0u);
    }
  }
}

// A back end that has only the faces it is told about, or none at all.
class PickyRasteriser : public FontRasteriser {
 public:
  explicit PickyRasteriser(std::vector<std::string> faces) : faces_(std::move(faces)) {}
  std::shared_ptr<RasterFont> Open(const FontRequest& request) override {
    ++opened;
    for (const std::string& f : faces_)
      if (f == request.face) return inner_.Open(request);
    return nullptr;
  }
  std::vector<std::string> InstalledFamilies(bool) override { return {}; }
  int opened = 0;

 private:
  std::vector<std::string> faces_;
  TestFontRasteriser inner_;
};

TEST(GlyphCacheFallback, AMissingFaceFallsBackToTheDefaultFace) {
  PickyRasteriser fonts({Gothic()});
  TFontPixelManager cache(fonts);
  std::shared_ptr<const TFontPixel> g = cache.GetGlyph(0x82A0, "NoSuchFace", 0, 16);
  EXPECT_FALSE(g->IsBlank());
  EXPECT_EQ(g->FontName, "NoSuchFace");
  EXPECT_EQ(cache.CachedCount(), 1u);
}

TEST(GlyphCacheFallback, WithoutAnyFontTheGlyphIsBlankUncachedAndTheFailureLoggedOnce) {
  PickyRasteriser fonts({});
  std::ostringstream log;
  TFontPixelManager cache(fonts, &log);
  for (int i = 0; i < 3; ++i) {
    std::shared_ptr<const TFontPixel> g = cache.GetGlyph(0x82A0, Gothic(), 0, 16);
    EXPECT_TRUE(g->IsBlank());
    EXPECT_EQ(g->Advance(), 0);
  }
  EXPECT_EQ(cache.CachedCount(), 0u);
  EXPECT_GE(fonts.opened, 3) << "each fetch tries again";
  const std::string text = log.str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
}

}  // namespace
}  // namespace rivo

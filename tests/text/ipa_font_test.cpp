// The FreeType back end with the IPA fonts: facts that hold for any good
// Japanese font, whatever its version. Skipped when the fonts are missing
// (scripts/setup installs them).

#include <gtest/gtest.h>

#include "common/cp932_code_table.h"
#include "platform/freetype_rasteriser.h"
#include "text/font_pixel_manager.h"
#include "text/glyph_fixture.h"

namespace rivo {
namespace {

using testing::Gothic;

class IpaFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::optional<FontFile> gothic = fonts.Resolve(Gothic(), false);
    if (!gothic || gothic->family != "IPAGothic") GTEST_SKIP() << "the IPA fonts are not installed";
  }
  // fontconfig reads its whole font list when it starts: once for the suite.
  static FreeTypeRasteriser& SharedFonts() {
    static FreeTypeRasteriser shared;
    return shared;
  }
  FreeTypeRasteriser& fonts = SharedFonts();
  TFontPixelManager cache{fonts};
};

TEST_F(IpaFontTest, TheProportionalWindowsFaceResolvesToTheProportionalFont) {
  EXPECT_EQ(fonts.Resolve(Utf8ToCp932("ＭＳ Ｐゴシック"), false)->family, "IPAPGothic");
  EXPECT_EQ(fonts.Resolve("MS PMincho", false)->family, "IPAPMincho");
  EXPECT_EQ(fonts.Resolve("MS Gothic", true)->family, "IPAGothic");
  EXPECT_FALSE(fonts.Resolve(Gothic(), true)->bold) << "IPAGothic has no bold face: it is emboldened";
}

TEST_F(IpaFontTest, TheCellIsTheRequestedHeight) {
  for (int32_t size : {12, 16, 24, 31}) {
    std::shared_ptr<RasterFont> font = fonts.Open({Gothic(), size, 0});
    ASSERT_TRUE(font);
    EXPECT_EQ(font->Metrics().height, size);
    EXPECT_GT(font->Metrics().ascent, size / 2);
    EXPECT_GT(font->Metrics().strikeout_size, 0);
  }
}

TEST_F(IpaFontTest, FullWidthCharactersOfTheFixedFaceShareOneAdvanceTwiceAHalfWidthOne) {
  const int32_t size = 24;
  const int32_t full = cache.GetGlyph(0x82A0, Gothic(), 0, size)->Advance();
  for (uint16_t code : {0x8140, 0x8141, 0x824F, 0x8260, 0x829F, 0x8340, 0x8393, 0x889F, 0x9681, 0xEAA4, 0x8740, 0xFA40})
    EXPECT_EQ(cache.GetGlyph(code, Gothic(), 0, size)->Advance(), full) << std::hex << code;
  for (uint16_t code : {0x20, 0x41, 0x69, 0x57, 0x5C, 0xB1, 0xDF}) {
    const int32_t half = cache.GetGlyph(code, Gothic(), 0, size)->Advance();
    EXPECT_NEAR(2 * half, full, 1) << std::hex << code;
  }
}

TEST_F(IpaFontTest, InTheProportionalFaceINarrowerThanW) {
  const std::string pgothic = Utf8ToCp932("ＭＳ Ｐゴシック");
  EXPECT_LT(cache.GetGlyph('i', pgothic, 0, 24)->Advance(), cache.GetGlyph('W', pgothic, 0, 24)->Advance());
}

TEST_F(IpaFontTest, TheYenSignStandsForTheSingleByteBackslash) {
  std::shared_ptr<RasterFont> font = fonts.Open({Gothic(), 24, 0});
  RasterGlyph backslash;
  ASSERT_TRUE(font->Render(0x5C, 3, backslash));
  EXPECT_NEAR(2 * backslash.advance, font->TextWidth(0x818F), 1) << "half-width";
  // A reverse solidus has no horizontal strokes; the yen sign's bars cover
  // most of a row.
  int32_t widest_run = 0;
  for (int32_t y = 0; y < backslash.height; ++y) {
    int32_t covered = 0;
    for (int32_t x = 0; x < backslash.width; ++x) covered += backslash.levels[y * backslash.width + x] > 32;
    widest_run = std::max(widest_run, covered);
  }
  EXPECT_GE(widest_run, backslash.width * 2 / 3);
}

TEST_F(IpaFontTest, EveryCharacterOfTheJisAndExtensionRowsHasAGlyph) {
  std::shared_ptr<RasterFont> font = fonts.Open({Gothic(), 10, 0});
  struct Range {
    uint16_t first, last;
  } ranges[] = {{0x8140, 0x84BE}, {0x8740, 0x879C}, {0x889F, 0x9FFC}, {0xE040, 0xEAA4}, {0xED40, 0xEEFC}, {0xFA40, 0xFC4B}};
  int checked = 0;
  for (const Range& r : ranges)
    for (uint32_t code = r.first; code <= r.last; ++code) {
      if (Cp932CodeToUnicode(static_cast<uint16_t>(code)) == 0 || code == 0x8140) continue;
      RasterGlyph g;
      ASSERT_TRUE(font->Render(static_cast<uint16_t>(code), 0, g)) << std::hex << code;
      ASSERT_GT(g.width * g.height, 0) << std::hex << code;
      ++checked;
    }
  EXPECT_GT(checked, 7000);
}

}  // namespace
}  // namespace rivo

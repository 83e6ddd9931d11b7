// The FreeType back end with the IPA fonts: facts that hold for any good
// Japanese font, whatever its version. Skipped when the fonts are missing
// (scripts/setup installs them).

#include <gtest/gtest.h>

#include "common/cp932_code_table.h"
#include "common/encoding.h"
#include "common/sjis.h"
#include "platform/freetype_rasteriser.h"
#include "text/font_pixel_manager.h"
#include "text/glyph_fixture.h"
#include "text/qn_label_list.h"

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

// A render measures the ABC widths from the glyph it loaded, so that the
// glyph cache need not load it again to centre it: they must be the widths
// CharAbcWidths measures on its own, for every face, style and size, at
// every antialias level (two-level glyphs are hinted differently and leave
// the widths to CharAbcWidths).
TEST_F(IpaFontTest, TheWidthsARenderMeasuresAreTheFontsOwn) {
  const uint16_t codes[] = {0x82A0, 0x889F, 0x8140, 0x41, 0x69, 0x57, 0x20, 0x5C, 0x815C, 0xB1};
  for (const std::string& face : {Gothic(), Utf8ToCp932("ＭＳ Ｐゴシック"), Utf8ToCp932("ＭＳ 明朝")})
    for (uint8_t style : {uint8_t{0}, FS_BOLD, FS_ITALIC, uint8_t{FS_BOLD | FS_ITALIC}})
      for (int32_t size : {12, 24, 31}) {
        std::shared_ptr<RasterFont> font = fonts.Open({face, size, style});
        ASSERT_TRUE(font);
        for (uint16_t code : codes) {
          const AbcWidths own = font->CharAbcWidths(code);
          for (int32_t level = 0; level <= 3; ++level) {
            RasterGlyph raw;
            ASSERT_TRUE(font->Render(code, level, raw));
            const std::string where = Cp932ToUtf8(face) + " style " + std::to_string(style) + " size " +
                                      std::to_string(size) + " code " + std::to_string(code) + " level " +
                                      std::to_string(level);
            if (level == 0) {
              EXPECT_FALSE(raw.abc) << where;
              continue;
            }
            ASSERT_TRUE(raw.abc) << where;
            EXPECT_EQ(raw.abc->a, own.a) << where;
            EXPECT_EQ(raw.abc->b, own.b) << where;
            EXPECT_EQ(raw.abc->c, own.c) << where;
          }
        }
      }
}

// Glyphs from the cache carry the widths their render measured; a glyph
// that has none asks its font when it is centred. Both sit at the same place
// in cells of every width.
TEST_F(IpaFontTest, CachedGlyphsCentreAsGlyphsThatAskTheirFont) {
  for (int32_t level = 0; level <= 3; ++level) {
    cache.SetAntialiasLevel(level);
    for (uint8_t style : {uint8_t{0}, FS_BOLD})
      for (int32_t size : {12, 24})
        for (uint16_t code : {0x41, 0x69, 0x5C, 0x82A0, 0x8141, 0x8148, 0x8D87}) {
          std::shared_ptr<const TFontPixel> cached = cache.GetGlyph(code, Gothic(), style, size);
          TFontPixel asking;  // the same glyph without the measured widths
          asking.Bitmap.SetSize(cached->Width(), cached->Height(), 8);
          asking.Code = cached->Code;
          asking.FontSize = cached->FontSize;
          asking.GlyphLeft = cached->GlyphLeft;
          asking.AdvanceRest = cached->AdvanceRest;
          asking.Font = cached->Font;
          for (int32_t cell : {size / 2, size - 3, size, size + 7, 2 * size})
            EXPECT_EQ(cached->CentringShift(cell), asking.CentringShift(cell))
                << "level " << level << " style " << int{style} << " size " << size << " code " << code
                << " cell " << cell;
        }
  }
}

// Labels take their widths from the glyphs they are drawn with; the widths
// are the font's own, whatever the antialias level the glyphs have.
TEST_F(IpaFontTest, LabelsAreMeasuredByTheFontsOwnWidths) {
  TQnLabelList labels(cache);
  const std::string texts[] = {"Start", Utf8ToCp932("ギャラリー　終了"), Utf8ToCp932("星見の丘 iW\\")};
  for (int32_t level = 0; level <= 3; ++level)
    for (uint8_t style : {uint8_t{0}, FS_BOLD, FS_ITALIC})
      for (int32_t height : {12, 20, 33})
        for (int32_t border : {0, 2}) {
          labels.Clear();
          labels.AntialiasLevel = level;
          labels.Style = style;
          labels.FontHeight = height;
          labels.Border = border;
          std::shared_ptr<RasterFont> font = fonts.Open({labels.FontName, height, style});
          for (const std::string& text : texts) {
            const TQnLabelDIB& label = labels.Item(labels.Add(text));
            const std::vector<uint16_t> codes = sjis::CharCodes(text);
            std::vector<int32_t> widths;
            for (std::size_t i = 0; i < codes.size(); ++i) {
              const AbcWidths abc = font->CharAbcWidths(codes[i]);
              const bool last_overhangs = i + 1 == codes.size() && abc.c < 0;
              widths.push_back(abc.a + abc.b + abc.c + 2 * border - (last_overhangs ? abc.c : 0));
            }
            EXPECT_EQ(label.CharWidths, widths) << Cp932ToUtf8(text) << " level " << level << " style "
                                                << int{style} << " height " << height << " border " << border;
          }
        }
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

// Glyphs rendered ahead on a worker: the glyph cache draws with exactly the
// glyph it would have rendered itself, takes only what a font of the same
// identity made at the same level, renders what is not ready itself, and
// the worker keeps within its budget and drops what the plans no longer name.

#include "host/glyph_ahead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "common/encoding.h"
#include "common/sjis.h"
#include "platform/freetype_rasteriser.h"
#include "platform/headless/test_font_rasteriser.h"
#include "scenario/page.h"
#include "scenario/page_source.h"
#include "text/font_pixel_manager.h"
#include "text/glyph_fixture.h"

namespace rivo {
namespace {

using testing::Gothic;

const std::string& PGothic() {
  static const std::string face = Utf8ToCp932("ＭＳ Ｐゴシック");
  return face;
}

// Characters of every kind: kana, kanji, full- and half-width, the yen
// sign, blanks, a half-width katakana.
const char* const kText = "あ漢字ＡＢg\\ \xE3\x80\x80ｱ,.";

GlyphAhead::RasteriserMaker InstalledFonts() {
  return [] { return std::make_unique<FreeTypeRasteriser>(); };
}
GlyphAhead::RasteriserMaker TestFonts() {
  return [] { return std::make_unique<TestFontRasteriser>(); };
}

bool IpaFontsInstalled() {
  static const bool installed = [] {
    try {
      FreeTypeRasteriser fonts;
      std::optional<FontFile> gothic = fonts.Resolve(Gothic(), false);
      return gothic && gothic->family == "IPAGothic";
    } catch (const std::exception&) {
      return false;
    }
  }();
  return installed;
}

// A page whose only text is a string constant: drawn in fonts the cache used.
void ReadText(GlyphAhead& ahead, const std::string& utf8_text, const std::string& page_name) {
  TPage page;
  AssemblePage("Calc t = \"" + utf8_text + "\"\n", page, page_name, nullptr);
  ahead.PageRead(page_name, page);
}
void PlanText(GlyphAhead& ahead, const std::string& utf8_text) {
  ReadText(ahead, utf8_text, "p.rsb");
  ahead.Planned({"p.rsb"});
}

void ExpectSameGlyph(const TFontPixel& a, const TFontPixel& b, const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(a.Code, b.Code);
  EXPECT_EQ(a.AntialiasLevel, b.AntialiasLevel);
  EXPECT_EQ(a.GlyphLeft, b.GlyphLeft);
  EXPECT_EQ(a.GlyphTop, b.GlyphTop);
  EXPECT_EQ(a.AdvanceRest, b.AdvanceRest);
  EXPECT_EQ(a.UnderlineSize, b.UnderlineSize);
  EXPECT_EQ(a.StrikeoutTop, b.StrikeoutTop);
  EXPECT_EQ(a.StrikeoutSize, b.StrikeoutSize);
  EXPECT_EQ(a.Abc().a, b.Abc().a);
  EXPECT_EQ(a.Abc().b, b.Abc().b);
  EXPECT_EQ(a.Abc().c, b.Abc().c);
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  EXPECT_EQ(a.Bitmap.BitCount(), b.Bitmap.BitCount());
  // The stores alike to the rows' padding: a glyph handed over from the
  // worker's surface is the one the cache would have filled.
  ASSERT_EQ(a.Bitmap.Store().Pitch(), b.Bitmap.Store().Pitch());
  for (int32_t y = 0; y < a.Height(); ++y) {
    const std::span<const uint8_t> row_a(a.Bitmap.Store().ScanLine(y), a.Bitmap.Store().Pitch());
    const std::span<const uint8_t> row_b(b.Bitmap.Store().ScanLine(y), b.Bitmap.Store().Pitch());
    ASSERT_TRUE(std::ranges::equal(row_a, row_b)) << "row " << y;
  }
}

struct Font {
  const std::string* face;
  int32_t size;
  uint8_t style;
};

// Every glyph of the text in every font at every level, asked of a cache
// that takes from the worker and of one that renders alone.
void ExpectAheadEqualsOwnRenders(FontRasteriser& fonts, GlyphAhead::RasteriserMaker make,
                                 const std::vector<Font>& table) {
  GlyphAhead ahead(std::move(make), {.budget = int64_t{64} << 20, .recent_fonts = 256});
  TFontPixelManager taking(fonts), alone(fonts);
  taking.SetPrepared(&ahead);
  const std::vector<uint16_t> codes = sjis::CharCodes(Utf8ToCp932(kText));
  // The fonts become known as the cache uses them; the worker then renders
  // the text in each.
  for (int32_t level = 0; level <= 3; ++level)
    for (const Font& font : table) ahead.FontUsed({*font.face, font.size, font.style, level});
  PlanText(ahead, kText);
  ahead.WaitUntilIdle();
  for (int32_t level = 0; level <= 3; ++level)
    for (const Font& font : table)
      for (uint16_t code : codes) {
        taking.SetAntialiasLevel(level);
        alone.SetAntialiasLevel(level);
        auto mine = alone.GetGlyph(code, *font.face, font.style, font.size);
        auto ready = taking.GetGlyph(code, *font.face, font.style, font.size);
        ExpectSameGlyph(*ready, *mine,
                        Cp932ToUtf8(*font.face) + " size " + std::to_string(font.size) + " style " +
                            std::to_string(font.style) + " level " + std::to_string(level) + " code " +
                            std::to_string(code));
      }
  EXPECT_EQ(alone.Made().prepared, 0);
  // Everything the text holds was ready: only a glyph the worker found it
  // could not render at its level was left to the cache.
  EXPECT_GT(taking.Made().prepared, 0);
  EXPECT_EQ(taking.Made().prepared + taking.Made().rendered, alone.Made().rendered);
  EXPECT_LE(taking.Made().rendered, alone.Made().rendered / 20);
}

TEST(GlyphAhead, GlyphsFromAheadEqualTheCachesOwnWithTheInstalledFonts) {
  if (!IpaFontsInstalled()) GTEST_SKIP() << "the IPA fonts are not installed";
  const std::string missing = Utf8ToCp932("無い書体");  // falls back to ＭＳ ゴシック
  FreeTypeRasteriser fonts;
  // The worker finding its files itself, and starting from the files the
  // cache's back end found (as the player's worker does).
  for (GlyphAhead::RasteriserMaker make :
       {InstalledFonts(), GlyphAhead::RasteriserMaker([files = fonts.Files()] {
          return std::make_unique<FreeTypeRasteriser>(files);
        })})
    ExpectAheadEqualsOwnRenders(fonts, make,
                                {{&Gothic(), 12, 0},
                                 {&Gothic(), 20, FS_BOLD},
                                 {&PGothic(), 16, FS_ITALIC},
                                 {&PGothic(), 48, FS_BOLD | FS_ITALIC | FS_UNDERLINE},
                                 {&PGothic(), -24, FS_STRIKEOUT},
                                 {&missing, 18, 0}});
}

TEST(GlyphAhead, GlyphsFromAheadEqualTheCachesOwnWithTheTestFonts) {
  TestFontRasteriser fonts;
  ExpectAheadEqualsOwnRenders(fonts, TestFonts(), {{&Gothic(), 12, 0}, {&PGothic(), 30, FS_BOLD}});
}

// A page that creates a label in a font of its own.
void PlanCaption(GlyphAhead& ahead, int32_t height, const std::string& utf8_text) {
  TPage page;
  AssemblePage("Caption\n  . PR_NAME \"l\"\n  . PR_FONTHEIGHT " + std::to_string(height) +
                   "\n  . PR_ANTIALIAS TRUE\n  . PR_TEXT \"" + utf8_text + "\"\n",
               page, "p.rsb", nullptr);
  ahead.PageRead("p.rsb", page);
  ahead.Planned({"p.rsb"});
}

// No fonts are guessed from what the cache uses: what is ready is only what the page says.
constexpr GlyphAhead::Limits kPageFontsOnly{.budget = int64_t{4} << 20, .recent_fonts = 0};

// A cache taking from a worker that knows one page's caption, beside one
// that renders alone.
class CaptionAhead : public ::testing::Test {
 protected:
  void SetUp() override { cache.SetPrepared(&ahead); }
  // The glyph the cache draws with, checked against the one rendered alone.
  void Ask(uint16_t code, int32_t size, uint8_t style, int32_t level, const std::string& what) {
    cache.SetAntialiasLevel(level);
    alone.SetAntialiasLevel(level);
    ExpectSameGlyph(*cache.GetGlyph(code, PGothic(), style, size), *alone.GetGlyph(code, PGothic(), style, size), what);
  }

  TestFontRasteriser fonts;
  GlyphAhead ahead{TestFonts(), kPageFontsOnly};
  TFontPixelManager cache{fonts}, alone{fonts};
};

TEST_F(CaptionAhead, AGuessAtAnotherSizeOrLevelIsNotTakenAndAMissIsRenderedByTheCache) {
  PlanCaption(ahead, 20, "あい");
  ahead.WaitUntilIdle();
  ASSERT_EQ(ahead.ReadyCount(), 2u);
  // Another size, another level, another style, a character not planned.
  const uint16_t a = 0x82A0, i = 0x82A2, u = 0x82A4;
  Ask(a, 21, 0, 3, "another size");
  Ask(a, 20, 0, 2, "another level");
  Ask(a, 20, FS_BOLD, 3, "another style");
  Ask(u, 20, 0, 3, "not planned");
  EXPECT_EQ(cache.Made().prepared, 0);
  EXPECT_EQ(cache.Made().rendered, 4);
  ahead.WaitUntilIdle();
  EXPECT_EQ(ahead.ReadyCount(), 2u);
  // The planned font takes them, each once.
  Ask(a, 20, 0, 3, "planned");
  Ask(i, 20, 0, 3, "planned");
  EXPECT_EQ(cache.Made().prepared, 2);
  EXPECT_EQ(ahead.ReadyCount(), 0u);
}

TEST_F(CaptionAhead, AGameThatChangesFontMidPageDrawsTheSameGlyphs) {
  // The page creates a label at 20 and sets 28 at run time halfway through
  // its text: the first half is taken ready, the rest rendered by the cache.
  PlanCaption(ahead, 20, "ほしのそら");
  ahead.WaitUntilIdle();
  const std::vector<uint16_t> codes = sjis::CharCodes(Utf8ToCp932("ほしのそら"));
  for (std::size_t k = 0; k < codes.size(); ++k) Ask(codes[k], k < 2 ? 20 : 28, 0, 3, "character " + std::to_string(k));
  // The worker hears of 28 at the first character asked at that size and
  // may have rendered a later one before the cache asks for it.
  const int32_t taken_at_28 = cache.Made().prepared - 2;
  EXPECT_GE(taken_at_28, 0);
  EXPECT_EQ(cache.Made().prepared + cache.Made().rendered, 5);
  ahead.WaitUntilIdle();
  EXPECT_EQ(ahead.ReadyCount() + static_cast<std::size_t>(taken_at_28), 3u)
      << "the rest of the text in the font the page set";
}

TEST_F(CaptionAhead, TextsAPageBuildsAtRunTimeAreReadyInTheFontsOfTheirObjects) {
  // A save screen's slot buttons show "1  ---" and the like, built from the page's constants.
  TPage page;
  AssemblePage("Calc slottext = \"1  ---\"\nButton\n  . PR_FONTHEIGHT 18\n  . PR_TEXT slottext\n", page, "p.rsb", nullptr);
  ahead.PageRead("p.rsb", page);
  ahead.Planned({"p.rsb"});
  ahead.WaitUntilIdle();
  for (uint16_t code : sjis::CharCodes("1  ---")) Ask(code, 18, 0, 3, "slot text " + std::to_string(code));
  EXPECT_EQ(cache.Made().prepared, 3);
  EXPECT_EQ(cache.Made().rendered, 0);
}

TEST(GlyphAhead, ReadyGlyphsStayWithinTheBudgetAndGoWhenNoPlanNamesThem) {
  TestFontRasteriser fonts;
  // Each 40-pixel glyph of the test font holds 40 * 32 levels at least.
  GlyphAhead small(TestFonts(), {.budget = 4 * 1400, .recent_fonts = 4});
  small.FontUsed({Gothic(), 40, 0, 3});
  PlanText(small, "あいうえおかきくけこ");
  small.WaitUntilIdle();
  EXPECT_GT(small.ReadyCount(), 0u);
  EXPECT_LT(small.ReadyCount(), 10u);
  EXPECT_LE(small.ReadyBytes(), 4 * 1400);

  GlyphAhead ahead(TestFonts());
  ahead.FontUsed({Gothic(), 20, 0, 3});
  for (auto [name, text] : {std::pair{"a.rsb", "あい"}, {"b.rsb", "う"}, {"c.rsb", "え"}, {"d.rsb", "お"}})
    ReadText(ahead, text, name);
  ahead.Planned({"a.rsb"});
  ahead.WaitUntilIdle();
  EXPECT_EQ(ahead.ReadyCount(), 2u);
  // The plan before the latest is kept (a menu's plan names little) ...
  ahead.Planned({"b.rsb", "c.rsb"});
  ahead.WaitUntilIdle();
  EXPECT_EQ(ahead.ReadyCount(), 4u);
  // ... also when the latest comes again in another order ...
  ahead.Planned({"c.rsb", "b.rsb"});
  ahead.WaitUntilIdle();
  EXPECT_EQ(ahead.ReadyCount(), 4u);
  // ... one more, and the first plan's glyphs go.
  ahead.Planned({"d.rsb"});
  ahead.WaitUntilIdle();
  EXPECT_EQ(ahead.ReadyCount(), 3u);
  EXPECT_GT(ahead.ReadyBytes(), 0);
}

TEST(GlyphAhead, PagesReadBeforeTheFirstPlanAreRenderedUntilItComes) {
  // The loader plans once it has read every page of its plan; at the start
  // that is about when the first scene draws, so the pages it has read by
  // then are rendered meanwhile, in the order read.
  GlyphAhead ahead(TestFonts());
  ahead.FontUsed({Gothic(), 20, 0, 3});
  ReadText(ahead, "あい", "a.rsb");
  ahead.WaitUntilIdle();
  EXPECT_EQ(ahead.ReadyCount(), 2u);
  ReadText(ahead, "う", "b.rsb");
  ahead.WaitUntilIdle();
  EXPECT_EQ(ahead.ReadyCount(), 3u);
  // From the first plan on, only what the plans name.
  ahead.Planned({"b.rsb"});
  ahead.WaitUntilIdle();
  EXPECT_EQ(ahead.ReadyCount(), 1u);
  ReadText(ahead, "え", "c.rsb");
  ahead.WaitUntilIdle();
  EXPECT_EQ(ahead.ReadyCount(), 1u);
}

TEST(GlyphAhead, WithoutFontsNothingIsReadyAndTheCacheRendersAsBefore) {
  TestFontRasteriser fonts;
  GlyphAhead ahead([]() -> std::unique_ptr<FontRasteriser> { throw std::runtime_error("no fontconfig"); });
  TFontPixelManager cache(fonts);
  cache.SetPrepared(&ahead);
  ahead.FontUsed({Gothic(), 20, 0, 3});
  PlanText(ahead, "あ");
  ahead.WaitUntilIdle();
  EXPECT_EQ(ahead.ReadyCount(), 0u);
  cache.SetAntialiasLevel(3);
  EXPECT_FALSE(cache.GetGlyph(0x82A0, Gothic(), 0, 20)->IsBlank());
  EXPECT_EQ(cache.Made().rendered, 1);
}

}  // namespace
}  // namespace rivo

// The texts a page spells out, with what it says of their fonts, which the
// glyphs rendered ahead are made from: captions in the fonts their creation
// sets (the object's defaults for the rest), message windows' fonts, the
// runs of message text by their markup, and every other string constant.

#include "scenario/page_glyph_texts.h"

#include <gtest/gtest.h>

#include "common/encoding.h"
#include "common/sjis.h"
#include "scenario/page.h"
#include "scenario/page_source.h"

namespace rivo {
namespace {

using Codes = std::vector<uint16_t>;

Codes CodesOf(const char* utf8) { return sjis::CharCodes(Utf8ToCp932(utf8)); }
GlyphFont Font(const char* utf8_face, int32_t size, uint8_t style, int32_t level) {
  return {Utf8ToCp932(utf8_face), size, style, level};
}

PageGlyphTexts Find(const std::string& source) {
  TPage page;
  AssemblePage(source, page, "p.rsb", nullptr);
  return FindPageGlyphTexts(page);
}

TEST(PageGlyphTexts, CaptionsComeWithTheFontsTheirCreationGivesThem) {
  struct Case {
    const char* source;
    std::vector<GlyphFont> fonts;
    Codes codes;
  };
  const Case cases[] = {
      // Constants of the creation; a label antialiased on request.
      {"Caption\n  . PR_FONTHEIGHT 48\n  . PR_ANTIALIAS TRUE\n  . PR_TEXT \"星見の丘\"\n",
       {Font("ＭＳ Ｐゴシック", 48, 0, 3)},
       CodesOf("星見の丘")},
      // A label's defaults: ＭＳ Ｐゴシック at 12, not antialiased.
      {"Caption\n  . PR_TEXT \"既読\"\n", {Font("ＭＳ Ｐゴシック", 12, 0, 0)}, CodesOf("既読")},
      // A button's caption antialiases; each character once.
      {"Button\n  . PR_FONTHEIGHT 18\n  . PR_TEXT \"ああい\"\n", {Font("ＭＳ Ｐゴシック", 18, 0, 3)}, CodesOf("あい")},
      // Face and style set; a height out of range is kept in it.
      {"Caption\n  . PR_FONTNAME \"ＭＳ 明朝\"\n  . PR_FONTSTYLE 3\n  . PR_FONTHEIGHT 5000\n  . PR_TEXT \"Ab\"\n",
       {Font("ＭＳ 明朝", 1024, 3, 0)},
       CodesOf("Ab")},
      // A height computed at run time is not known: the default is the guess.
      {"Caption\n  . PR_FONTHEIGHT size * 2\n  . PR_TEXT \"x\"\n", {Font("ＭＳ Ｐゴシック", 12, 0, 0)}, CodesOf("x")},
  };
  for (const Case& c : cases) {
    const PageGlyphTexts found = Find(c.source);
    ASSERT_EQ(found.captions.size(), 1u) << c.source;
    EXPECT_EQ(found.captions[0].fonts, c.fonts) << c.source;
    EXPECT_EQ(found.captions[0].codes, c.codes) << c.source;
    EXPECT_TRUE(found.windows.empty()) << c.source;
  }
  // A text computed at run time is no caption.
  EXPECT_TRUE(Find("Caption\n  . PR_TEXT \"a\" ++ name\n").captions.empty());
}

TEST(PageGlyphTexts, MessageWindowsAndTheRunsOfTheirTexts) {
  const PageGlyphTexts found = Find(R"(MesNew
  . PR_NAME "mes"
  . PR_FONTHEIGHT 20
MesNew
  . PR_NAME "other"
  . PR_FONTNAME "ＭＳ 明朝"
  . PR_ANTIALIAS FALSE
TextIns <RUBY VALUE="ほし">星</RUBY>の<A HREF="x">丘</A><FONT SIZE="30">空</FONT>の星
  . window "mes"
)");
  EXPECT_EQ(found.windows, (std::vector<GlyphFont>{Font("ＭＳ ゴシック", 20, 0, 3), Font("ＭＳ 明朝", 12, 0, 0)}));
  struct Run {
    int32_t size;
    uint8_t style;
    bool ruby;
    Codes codes;
  };
  const std::vector<Run> expected = {
      {0, 0, false, CodesOf("星の")},
      {0, 0, true, CodesOf("ほし")},
      {0, FS_UNDERLINE, false, CodesOf("丘")},
      {30, 0, false, CodesOf("空")},
  };
  ASSERT_EQ(found.messages.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_TRUE(found.messages[i].face.empty()) << i;
    EXPECT_EQ(found.messages[i].size, expected[i].size) << i;
    EXPECT_EQ(found.messages[i].style, expected[i].style) << i;
    EXPECT_EQ(found.messages[i].ruby, expected[i].ruby) << i;
    EXPECT_EQ(found.messages[i].codes, expected[i].codes) << i;
  }
  // In a window of 20: the ruby at half the size, the window's face and level.
  const GlyphFont window = Font("ＭＳ ゴシック", 20, 0, 3);
  EXPECT_EQ(PageGlyphTexts::RunFont(found.messages[1], window), Font("ＭＳ ゴシック", 10, 0, 3));
  EXPECT_EQ(PageGlyphTexts::RunFont(found.messages[3], window), Font("ＭＳ ゴシック", 30, 0, 3));
}

TEST(PageGlyphTexts, OtherStringConstantsGiveTheirCharactersOnce) {
  const PageGlyphTexts found = Find(R"(Calc t = "はい" ++ "いいえ"
SetProp "label"
  . property 50
  . value "はい！"
)");
  EXPECT_TRUE(found.captions.empty());
  EXPECT_EQ(found.others, CodesOf("はいえlabe！"));
}

TEST(PageGlyphTexts, ObjectsWithATextBuiltAtRunTimeGiveTheirFontsForThePagesConstants) {
  // A save screen: each slot's button shows a text the page builds from its constants.
  const PageGlyphTexts found = Find(R"(Calc slottext = "1  ---"
Button
  . PR_FONTHEIGHT 18
  . PR_TEXT slottext
Button
  . PR_FONTHEIGHT 18
  . PR_TEXT slottext ++ "!"
Caption
  . PR_TEXT "a" ++ name
Caption
  . PR_FONTHEIGHT 30
  . PR_TEXT "const"
)");
  EXPECT_EQ(found.computed, (std::vector<GlyphFont>{Font("ＭＳ Ｐゴシック", 18, 0, 3), Font("ＭＳ Ｐゴシック", 12, 0, 0)}));
  EXPECT_EQ(found.others, CodesOf("1 -!aconst"));
  ASSERT_EQ(found.captions.size(), 1u);
  EXPECT_EQ(found.captions[0].fonts, (std::vector<GlyphFont>{Font("ＭＳ Ｐゴシック", 30, 0, 0)}));
}

TEST(PageGlyphTexts, APageOfManyTextsKeepsItsLimit) {
  // 23 rows of 94 kanji each, more than a page keeps.
  std::string source;
  for (int lead = 0x89; lead <= 0x9F; ++lead) {
    std::string row;
    for (int trail = 0x9F; trail <= 0xFC; ++trail) row += {static_cast<char>(lead), static_cast<char>(trail)};
    source += "Calc t = \"" + Cp932ToUtf8(row) + "\"\n";
  }
  EXPECT_EQ(Find(source).others.size(), kMaxPageGlyphCodes);
}

}  // namespace
}  // namespace rivo

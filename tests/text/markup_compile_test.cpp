// Compiling markup: the glyphs and styles that texts give.

#include <gtest/gtest.h>

#include "common/error.h"
#include "text/qn_word.h"
#include "text_fixtures.h"

namespace rivo {
namespace {

using test::CharAt;
using test::Summary;

TQnWord Compiled(std::string_view text, int32_t delay = 50) {
  TQnWord word;
  word.ParseText(text, delay);
  return word;
}

TEST(MarkupCompile, TextsGiveTheirGlyphs) {
  const std::pair<const char*, const char*> cases[] = {
      {"a<B>b</B>c", "a|b|c"},
      {"abc\ndef", "a|b|c| |d|e|f"},
      {"abc\r\n\r\ndef", "a|b|c| |d|e|f"},
      {"a   b", "a| |b"},
      {"<PRE>a\nb\tc</PRE>", "a|br|b| | | | | | | | |c"},
      {"<>", "<|>"},
      {"a\"<B>b", "a|\"|<|B|>|b"},
      {"<DIV ALIGN=CENTER>x</DIV>", "align3|x|align1"},
      {"<DIV ALIGN=RIGHT><DIV>x</DIV></DIV></DIV>", "align2|align1|x|align2|align1|align1"},
      {"<IMG SRC=a.png ALIGN=LEFT><IMG SRC=b ALIGN=TOP><IMG><IMG SRC=\"\">", "img:a.png@5|img:b@4"},
      // The token pass drops a backslash before 'n': content quotes the value or doubles it.
      {"<EVENT VALUE=\"a\\nb\"><EVENT VALUE=a\\\\nb><EVENT VALUE=a\\nb>", "event:a\r\nb|event:a\r\nb|event:anb"},
      {"<EVENT VALUE=x END><EVENT>", "event:x!|event:"},
      {"<BR><BR CLEAR><CLEAR><br clear=0>", "br|clear|clear|clear"},
      {"<INDENT>x<UNDENT>", "indent|x|undent"},
      {"<VAR NAME=score><VAR><VAR NAME=\"\">", "var:score"},
      {"x<!-- <B> <!-- y --> z -->w", "x|w"},
      {"x<SCRIPT>a</STYLE>w", "x|w"},
      {"<FOO>a</PRE><TEXTAREA></TEXTAREA>", "a"},
      {"a<!-- unterminated", "a|<|!|-|-| |u|n|t|e|r|m|i|n|a|t|e|d"},
      {"a-->", "a|-|-|>"},
      {"\x83\x5C\\x", "\x83\x5C|x"},
      {"\x82\xA0" "b", "\x82\xA0|b"},
      // A lone lead byte before a tag is a character of its own.
      {"\x83<B>A", "\x83|A"},
      {"\x83", "\x83"},
  };
  for (const auto& [text, glyphs] : cases) EXPECT_EQ(Summary(Compiled(text)), glyphs) << text;
}

TEST(MarkupCompile, StyleTagsSetTheirBitsAndClosersResetThem) {
  TQnWord word = Compiled("a<B>b<I><U><S>c</B></I></U></S>d<B><B>e</B>f");
  const uint8_t styles[] = {0, FS_BOLD, FS_BOLD | FS_ITALIC | FS_UNDERLINE | FS_STRIKEOUT, 0, FS_BOLD, 0};
  ASSERT_EQ(word.Count(), 6);
  for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(CharAt(word, i).Decoration->Style, styles[i]) << i;

  TQnWord runs = Compiled("<NOBR>a<RUBY VALUE=かな>b</NOBR>c</RUBY>d");
  EXPECT_EQ(CharAt(runs, 0).Decoration->NoBreak, 1);
  EXPECT_EQ(CharAt(runs, 1).Decoration->Ruby, "かな");
  EXPECT_EQ(CharAt(runs, 2).Decoration->NoBreak, 0);
  EXPECT_EQ(CharAt(runs, 2).Decoration->Ruby, "かな");
  EXPECT_EQ(CharAt(runs, 3).Decoration->Ruby, "");
}

TEST(MarkupCompile, FontPushesAllSevenValuesAndItsCloserRestoresThem) {
  struct Case {
    const char* text;
    int32_t size, color, bcolor, scolor, border, shadow;
    const char* name;
  };
  const Case cases[] = {
      {"x", 0, -1, -1, -1, -1, -1, ""},
      {"<FONT COLOR=#FF0000>x", 0, 0xFF, -1, -1, -1, -1, ""},
      {"<FONT COLOR=#FF0000><FONT COLOR=red>x", 0, 0xFF, -1, -1, -1, -1, ""},
      {"<FONT COLOR=#12>x", 0, -1, -1, -1, -1, -1, ""},
      {"<FONT BORDER>x", 0, -1, -1, -1, 1, -1, ""},
      {"<FONT BORDER=-3 SHADOW=-1>x", 0, -1, -1, -1, 0, 0, ""},
      {"<FONT BORDER=2><FONT>x", 0, -1, -1, -1, 2, -1, ""},
      {"<FONT SIZE=20 NAME=\"ＭＳ 明朝\" BCOLOR=#000080 SCOLOR=#010203 SHADOW=2>x", 20, -1, 0x800000, 0x030201,
       -1, 2, "ＭＳ 明朝"},
      {"<FONT SIZE=20 COLOR=#00FF00 BORDER=3><FONT SIZE=30 NAME=a SHADOW=4 COLOR=#0000FF>y</FONT>x", 20, 0xFF00,
       -1, -1, 3, -1, ""},
      {"<FONT SIZE=3></FONT></FONT><FONT SIZE=5>x", 5, -1, -1, -1, -1, -1, ""},
      // Sizes from the text are bounded.
      {"<FONT SIZE=100000 BORDER=100000 SHADOW=100000>x", kMaxFontSize, -1, -1, -1, kMaxBorderWidth,
       kMaxShadowOffset, ""},
      {"<FONT SIZE=-5>x", 0, -1, -1, -1, -1, -1, ""},
  };
  for (const Case& c : cases) {
    TQnWord word = Compiled(c.text);
    const TDecorate& d = *CharAt(word, word.Count() - 1).Decoration;
    EXPECT_EQ(d.Size, c.size) << c.text;
    EXPECT_EQ(d.Color, c.color) << c.text;
    EXPECT_EQ(d.BColor, c.bcolor) << c.text;
    EXPECT_EQ(d.SColor, c.scolor) << c.text;
    EXPECT_EQ(d.Border, c.border) << c.text;
    EXPECT_EQ(d.Shadow, c.shadow) << c.text;
    EXPECT_EQ(d.FontName, c.name) << c.text;
  }
}

TEST(MarkupCompile, LinksAndWaitsReachEveryVisibleGlyph) {
  TQnWord word = Compiled(
      "a<WAIT VALUE=0><A HREF=\"p\\\\q r\">b<IMG SRC=i.png><VAR NAME=v><WAIT>c</WAIT>d</WAIT></A>e"
      "<WAIT VALUE=x>f",
      30);
  ASSERT_EQ(Summary(word), "a|b|img:i.png@5|var:v|c|d|e|f");
  const std::pair<const char*, int32_t> expected[] = {{"", 30}, {"p\\q r", 0}, {"p\\q r", 0}, {"p\\q r", 0},
                                                      {"p\\q r", 0}, {"p\\q r", 0}, {"", 30}, {"", 30}};
  for (int32_t i = 0; i < word.Count(); ++i) {
    const TWdGlyph& g = word[i];
    std::string link = g.Kind() == GK_VAR ? static_cast<const TWdOpeVar&>(g).Link : static_cast<const TWdReal&>(g).Link;
    int32_t wait = g.Kind() == GK_VAR ? static_cast<const TWdOpeVar&>(g).Wait : static_cast<const TWdReal&>(g).Wait;
    EXPECT_EQ(link, expected[i].first) << i;
    EXPECT_EQ(wait, expected[i].second) << i;
  }
  EXPECT_NE(static_cast<const TWdOpeVar&>(word[3]).Decoration, nullptr);
}

TEST(MarkupCompile, ALinkWithoutTargetIsAnErrorAndLeavesNothing) {
  for (const char* text : {"a<A>b", "a<A HREF>b", "a<A HREF=\"\">b"}) {
    TQnWord word;
    try {
      word.ParseText(text, 50);
      ADD_FAILURE() << text;
    } catch (const RivoError& e) {
      EXPECT_STREQ(e.what(), kNoHrefMessage);
    }
    EXPECT_EQ(word.Count(), 0);
    EXPECT_EQ(word.Decorations().Count(), 0);
  }
}

TEST(MarkupCompile, GlyphsThatLookAlikeShareOneStyleRecord) {
  TQnWord word = Compiled("ab<B>c</B>d<VAR NAME=v>");
  ASSERT_EQ(word.Decorations().Count(), 2);
  EXPECT_EQ(word.Decorations()[0].RefCount, 4);
  EXPECT_EQ(word.Decorations()[1].RefCount, 1);
  EXPECT_EQ(CharAt(word, 0).Decoration, CharAt(word, 3).Decoration);
  // Compiling again replaces everything.
  word.ParseText("x", 50);
  EXPECT_EQ(word.Count(), 1);
  EXPECT_EQ(word.Decorations().Count(), 1);
}

TEST(MarkupCompile, LinesAreJoinedWithOneBreak) {
  TQnWord word;
  word.ParseText(std::vector<std::string>{"abc", "", "def"}, 50);
  EXPECT_EQ(Summary(word), "a|b|c| |d|e|f");
  word.ParseText(std::vector<std::string>{"<PRE>a", "b</PRE>"}, 50);
  EXPECT_EQ(Summary(word), "a|br|b");
}

}  // namespace
}  // namespace rivo

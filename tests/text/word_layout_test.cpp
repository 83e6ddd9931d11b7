// Laying a word out: break opportunities, rows, pages and placement.

#include <gtest/gtest.h>

#include "common/encoding.h"
#include "text/qn_word.h"

namespace rivo {
namespace {

struct Setup {
  int32_t wrap = 30;
  int32_t page_height = 1000;
  uint8_t paging = 1;
  int32_t line_space = 0;
};

// Laid out with 10-pixel characters.
TWdPages Laid(TQnWord& word, std::string_view utf8, Setup s) {
  word.ParseText(Utf8ToCp932(utf8), 0);
  word.FontHeight = 10;
  word.WrapWidth = s.wrap;
  word.PageHeight = s.page_height;
  word.Paging = s.paging;
  word.LineSpace = s.line_space;
  TWdPages pages;
  word.Layout(pages);
  return pages;
}

// Rows joined by '/', pages by '#', a line break shown as '~' (UTF-8).
std::string Shape(const TWdPages& pages) {
  std::string cp932;
  for (std::size_t p = 0; p < pages.size(); ++p) {
    if (p) cp932 += '#';
    for (std::size_t r = 0; r < pages[p]->Rows.size(); ++r) {
      if (r) cp932 += '/';
      for (const TWdGlyph* g : pages[p]->Rows[r]->Glyphs) {
        if (g->Kind() == GK_RETURN) cp932 += '~';
        if (g->Kind() != GK_CHAR) continue;
        uint16_t code = static_cast<const TWdChar*>(g)->Code;
        if (code > 0xFF) cp932 += static_cast<char>(code >> 8);
        cp932 += static_cast<char>(code & 0xFF);
      }
    }
  }
  return Cp932ToUtf8(cp932);
}

TEST(WordLayout, RowsBreakWhereTheTextAllows) {
  const std::pair<const char*, const char*> cases[] = {
      {"あいうえお", "あいう/えお"},
      // A word of single-byte letters stays whole and overflows its row.
      {"ab abcdefgh", "ab /abcdefgh"},
      {"abcdefgh", "abcdefgh"},
      // An opening bracket goes down with the character after it.
      {"あい「う", "あい/「う"},
      {"あい｢う", "あい/｢う"},
      // Layout operations act between units, so they part a bracket from what follows.
      {"あい「<INDENT>う", "あい「/う"},
      {"あい（う", "あい/（う"},
      // A closing mark never starts a row: it takes the character before.
      {"あいう。", "あい/う。"},
      {"あいう、え", "あい/う、え"},
      {"あいう！", "あい/う！"},
      {"あいう」。", "あい/う」。"},
      // A space stays at the end of its row.
      {"あいう え", "あい/う え"},
      {"<NOBR>あいうえ</NOBR>", "あいうえ"},
      // One ruby group is one unit.
      {"あい<RUBY VALUE=\"かんじ\">漢字</RUBY>", "あい/漢字"},
      {"あい漢字", "あい漢/字"},
      {"あ<BR>い<BR><BR>う", "あ~/い~/~/う"},
      {"あ<CLEAR>い", "あ~#い"},
  };
  for (const auto& [text, shape] : cases) {
    TQnWord word;
    EXPECT_EQ(Shape(Laid(word, text, {})), shape) << text;
  }
}

TEST(WordLayout, NoWrapWidthMakesTheWidestRowTheWidth) {
  TQnWord word;
  TWdPages pages = Laid(word, "あいうえお<BR>あ", {.wrap = 0});
  EXPECT_EQ(Shape(pages), "あいうえお~/あ");
  EXPECT_EQ(word.WrapWidth, 50);
}

TEST(WordLayout, EmptyLinesAreOneFontHigh) {
  TQnWord word;
  TWdPages pages = Laid(word, "あ<BR><BR>い", {.line_space = 2});
  ASSERT_EQ(pages.size(), 1u);
  const auto& rows = pages[0]->Rows;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0]->Y, 0);
  EXPECT_EQ(rows[1]->Y, 12);
  EXPECT_EQ(rows[1]->Height(), 10);
  EXPECT_EQ(rows[2]->Y, 24);
  EXPECT_EQ(pages[0]->Height(), 34);
}

TEST(WordLayout, TallTextsGoOnSeveralPages) {
  TQnWord word;
  EXPECT_EQ(Shape(Laid(word, "あいうえおかきく", {.wrap = 20, .page_height = 25})), "あい/うえ#おか/きく");
  // Scrolled text keeps one page.
  EXPECT_EQ(Shape(Laid(word, "あいうえおかきく", {.wrap = 20, .page_height = 25, .paging = 0})), "あい/うえ/おか/きく");
  // A row taller than the page is still placed as the page's first row.
  TWdPages tall = Laid(word, "あ<FONT SIZE=40>い</FONT>う", {.wrap = 10, .page_height = 25});
  EXPECT_EQ(Shape(tall), "あ#い#う");
  EXPECT_EQ(tall[1]->Rows[0]->Height(), 40);
}

TEST(WordLayout, RowsAreAlignedAndGlyphsStandOnTheBand) {
  TQnWord word;
  TWdPages pages = Laid(word, "<DIV ALIGN=CENTER>あ</DIV><BR><DIV ALIGN=RIGHT>い</DIV><BR><INDENT>う<FONT SIZE=20>え</FONT>", {.wrap = 40});
  const auto& rows = pages[0]->Rows;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0]->Glyphs[0]->X, 15);
  EXPECT_EQ(rows[1]->Glyphs[0]->X, 30);
  // The smaller character stands on the bottom of the row's band.
  const TWdGlyph& small = *rows[2]->Glyphs[0];
  const TWdGlyph& big = *rows[2]->Glyphs[1];
  EXPECT_EQ(rows[2]->Height(), 20);
  EXPECT_EQ(small.Y, 10);
  EXPECT_EQ(big.Y, 0);
  EXPECT_EQ(big.X, 10);
}

TEST(WordLayout, IndentedRowsStartAtTheIndent) {
  TQnWord word;
  TWdPages pages = Laid(word, "あ<INDENT>いうえお<UNDENT>かき", {.wrap = 30});
  EXPECT_EQ(Shape(pages), "あいう/えお/かき");
  const auto& rows = pages[0]->Rows;
  ASSERT_EQ(rows.size(), 3u);
  ASSERT_NE(rows[1]->IndentSpace, nullptr);
  EXPECT_EQ(rows[1]->Glyphs[1]->X, 10);
  EXPECT_EQ(rows[2]->Glyphs[0]->X, 0);
}

TEST(WordLayout, CellsGrowWithStyle) {
  TQnWord word;
  TWdPages pages = Laid(word, "<I>a</I><FONT SIZE=20><RUBY VALUE=x>b</RUBY></FONT>", {.wrap = 0});
  const auto& glyphs = pages[0]->Rows[0]->Glyphs;
  EXPECT_EQ(glyphs[0]->Width, 12);
  EXPECT_EQ(glyphs[0]->Height, 10);
  EXPECT_EQ(glyphs[1]->Width, 20);
  EXPECT_EQ(glyphs[1]->Height, 30);
}

}  // namespace
}  // namespace rivo

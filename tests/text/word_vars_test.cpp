// Variables in text: expanding them into glyphs, the values recorded for a
// page and given back later, and copies of stored glyphs.

#include <gtest/gtest.h>

#include "common/encoding.h"
#include "script/param_collection.h"
#include "text/qn_word.h"
#include "text_fixtures.h"

namespace rivo {
namespace {

using test::Summary;

// The visible text of a word, generated characters and all; a generated
// line break as "/".
std::string Shown(const TQnWord& word) {
  std::string out;
  for (int32_t i = 0; i < word.Count(); ++i) {
    if (word[i].Kind() == GK_CHAR) static_cast<const TWdChar&>(word[i]).AppendText(out);
    else if (word[i].Kind() == GK_RETURN && word[i].IsGenerated()) out += '/';
  }
  return out;
}

TEST(WordVars, ExpressionsBecomeGlyphsThatSourcePositionsSkip) {
  TParamCollection store;
  TQnWord word;
  word.Variables = &store;
  word.ParseText("a<VAR NAME=\"1+2\">b<VAR NAME=\" \">c<VAR NAME=\"1+\">d", 0);
  const std::string stored = Summary(word);
  const int32_t styles = word.Decorations()[0].RefCount;
  word.ExpandVars();
  // "1+2" gives 3; a blank name and one that does not compile give nothing.
  EXPECT_EQ(Shown(word), "a3bcd");
  EXPECT_EQ(word.Count(), 8);
  EXPECT_TRUE(word[2].IsGenerated());
  EXPECT_EQ(word.GlyphToPosition(3), 2);  // after the generated 3: the b
  EXPECT_EQ(word.PositionToGlyph(2), 3);
  EXPECT_EQ(word.PositionToGlyph(7), -1);
  // Laying out up to position 1 (the VAR) takes its generated glyph too.
  TWdPages pages;
  word.Layout(pages, 0, 1);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0]->Rows[0]->Glyphs.size(), 3u);
  pages.clear();
  word.CollapseVars();
  EXPECT_EQ(Summary(word), stored);
  EXPECT_EQ(word.Decorations()[0].RefCount, styles);
}

TEST(WordVars, RecordedValuesComeBackByExactName) {
  TQnWord word;
  word.ParseText("<VAR NAME=\"x\">|<VAR NAME=\"x==1\">|<VAR NAME=\"y\">", 0);
  // The line of "x==1" also starts with "x=": the longest name owns it.
  word.SetVarValues("x==1=TRUE\r\nx=5\r\ny=one\x01two\x02!");
  word.ExpandVars();
  EXPECT_EQ(Shown(word), "5|TRUE|one/two!");

  TWdPages pages;
  word.WrapWidth = 1000;
  word.Layout(pages);
  word.RecordVarValues(*pages[0]);
  EXPECT_EQ(pages[0]->RecordedValues, "x=5\r\nx==1=TRUE\r\ny=one\x01two!");
}

TEST(WordVars, ANameWithoutARecordedValueShowsNothing) {
  TParamCollection store;
  TQnWord word;
  word.Variables = &store;
  word.ParseText("[<VAR NAME=\"1+2\">]", 0);
  word.SetVarValues("z=9");
  word.ExpandVars();
  EXPECT_EQ(Shown(word), "[]");
}

TEST(WordCopy, CopiesStoredGlyphsOfARangeWithTheirStyles) {
  TQnWord source;
  source.ParseText(Utf8ToCp932("<B>ab</B><BR><A HREF=h>c</A><EVENT VALUE=e END><VAR NAME=v><IMG SRC=p.png ALIGN=TOP>"), 0);
  source.SetVarValues("v=XY");
  source.ExpandVars();  // generated glyphs are never copied
  TQnWord copy;
  copy.ParseText("z", 0);
  copy.CopyGlyphs(source, 1, 5);
  EXPECT_EQ(Summary(copy), "z|b|br|c|event:e!|var:v");
  const auto& b = dynamic_cast<const TWdChar&>(copy[1]);
  EXPECT_EQ(b.Decoration->Style, FS_BOLD);
  EXPECT_EQ(dynamic_cast<const TWdChar&>(copy[3]).Link, "h");
  EXPECT_NE(b.Decoration, dynamic_cast<const TWdChar&>(source[1]).Decoration);  // the copy's own table
  TQnWord whole;
  whole.CopyGlyphs(source);
  source.CollapseVars();
  EXPECT_EQ(Summary(whole), Summary(source));
}

}  // namespace
}  // namespace rivo

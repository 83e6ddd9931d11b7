// Stored lists shown as markup: the markup compiles back to the same bytes,
// and lists that markup cannot rebuild exactly are refused.

#include <gtest/gtest.h>

#include "common/byte_writer.h"
#include "text/markup_form.h"
#include "text_fixtures.h"

namespace rivo {
namespace {

std::string Stored(const TQnWord& word, int32_t version = kNewestGlyphVersion) {
  ByteWriter out;
  word.SaveGlyphs(out, version);
  return out.Take();
}

TEST(MarkupForm, CompiledTextsComeBackAsMarkupOfTheSameBytes) {
  const char* texts[] = {
      "plain text",
      "a  <B>b</B>  c ",
      " leading",
      "\"quoted <B>\" after",
      "\"unmatched",
      "x<>y\\\\z\\<\\>",
      "\x83\x5C\\and 表\\",        // trail bytes 0x5C
      "\x83<B>A",                   // a lone lead byte before another character
      // An unclosed tag pairs a lead byte with any byte after it.
      "<\x8A<", "<\x8A\"x\" y", "<\x8A  x", "<\x8A\\\\",
      // Text tokens that begin with '<' and end with '>'.
      "x<>R>", "\\<b\\>", "<<B>>y", "a<!-- open -->x",
      "a<FONT SIZE=12 COLOR=#102030 BCOLOR=#000000 SCOLOR=#FFFFFF NAME=\"ＭＳ 明朝\" BORDER=2 SHADOW=0>b</FONT>c",
      "<FONT SIZE=5><FONT COLOR=#FF0000>a</FONT>b</FONT>",
      "<I><U><S>a</U>b</I>c<NOBR>d<RUBY VALUE=\"か な\">e</NOBR>f</RUBY>",
      "<A HREF=\"a\\\\b c\\nd\">link</A>x<A HREF=y>z",
      "<WAIT VALUE=-200>a<WAIT VALUE=0>b</WAIT>c</WAIT>d",
      "<DIV ALIGN=CENTER>x</DIV><DIV ALIGN=RIGHT><INDENT>y<UNDENT><BR><CLEAR>",
      "<EVENT><EVENT VALUE=\"a\\nb\\\\\" END><EVENT END>",
      "<VAR NAME=\"score + 1\"><IMG SRC=\"a b.png\"><IMG SRC=c.png ALIGN=TOP><A HREF=l><IMG SRC=d></A>",
      "",
      "<!-- nothing -->",
      "\"\"",
  };
  for (int32_t delay : {50, 0}) {
    for (const char* text : texts) {
      TQnWord word;
      word.ParseText(text, delay);
      std::string bytes = Stored(word);
      std::optional<std::string> markup = MarkupOfStoredList(bytes, delay);
      ASSERT_TRUE(markup.has_value()) << text;
      EXPECT_FALSE(markup->empty());
      EXPECT_NE(markup->front(), ' ') << *markup;
      EXPECT_NE(markup->back(), ' ') << *markup;
      EXPECT_EQ(StoredListOfMarkup(*markup, delay), bytes) << text << " -> " << *markup;
    }
  }
}

TEST(MarkupForm, ListsMarkupCannotRebuildAreRefused) {
  TQnWord word;
  word.ParseText("a<B>b</B><VAR NAME=v>", 50);
  EXPECT_FALSE(MarkupOfStoredList(Stored(word, 101), 50));  // an older layout
  std::string bytes = Stored(word);
  EXPECT_FALSE(MarkupOfStoredList(bytes + "x", 50));       // bytes after the list
  EXPECT_FALSE(MarkupOfStoredList(bytes.substr(0, 20), 50));  // damage

  auto refused = [](auto&& change) {
    TQnWord w;
    w.ParseText("ab", 50);
    change(w);
    return !MarkupOfStoredList(Stored(w), 50).has_value();
  };
  EXPECT_TRUE(refused([](TQnWord& w) { w.Decorations()[0].RefCount = 5; }));
  EXPECT_TRUE(refused([](TQnWord& w) { w.Decorations().Append(TDecorate{}); }));
  EXPECT_TRUE(refused([](TQnWord& w) { w.Decorations()[0].Size = 5000; }));
  EXPECT_TRUE(refused([](TQnWord& w) { w.Decorations()[0].Color = 0x01000000; }));
  EXPECT_TRUE(refused([](TQnWord& w) { w.Decorations()[0].Style = 0x10; }));
  EXPECT_TRUE(refused([](TQnWord& w) { static_cast<TWdChar&>(w[0]).Code = '\r'; }));
  EXPECT_TRUE(refused([](TQnWord& w) { static_cast<TWdChar&>(w[0]).Code = 0x4142; }));
  EXPECT_TRUE(refused([](TQnWord& w) { static_cast<TWdChar&>(w[0]).Link = "a\"b"; }));
  EXPECT_TRUE(refused([](TQnWord& w) {
    auto ret = std::make_unique<TWdOpeReturn>();
    ret->Clear = 2;
    w.Append(std::move(ret));
  }));
}

}  // namespace
}  // namespace rivo

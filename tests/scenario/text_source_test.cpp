// TextIns text in page listings: shown as the markup it compiles from,
// assembled back to the same bytes, and kept as bytes where markup cannot
// rebuild the stored list exactly.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/encoding.h"
#include "common/error.h"
#include "scenario/page.h"
#include "scenario/page_source.h"
#include "scenario/source_text.h"
#include "scenario/text_commands.h"
#include "scenario_fixtures.h"
#include "script/build_rivo_parser.h"
#include "text/qn_word.h"

namespace rivo {
namespace {

std::string Listing(const std::string& bytes) {
  TPage page;
  page.LoadFromBytes(bytes, "page.rsb");
  return DisassemblePage(page, nullptr);
}

std::string Reassembled(const std::string& listing) { return test::PageBytes(listing); }

// The stored list of the TextIns command at index.
std::string StoredText(const std::string& page_bytes, int32_t index) {
  TPage page;
  page.LoadFromBytes(page_bytes, "page.rsb");
  return static_cast<TComTextIns&>(page[index]).Text;
}

std::string CompiledText(const char* markup_utf8, int32_t delay = 50) {
  TQnWord word;
  word.ParseText(Utf8ToCp932(markup_utf8), delay);
  ByteWriter out;
  word.SaveGlyphs(out);
  return out.Take();
}

TEST(TextSource, DialogueIsListedAsMarkupAndAssemblesToTheSameBytes) {
  const char* texts[] = {
      "「こんにちは」と<B>彼</B>は言った。",
      "<FONT SIZE=24 COLOR=#FF0000 NAME=\"ＭＳ 明朝\">赤い</FONT>字<BR>二行目<CLEAR>",
      "ソ表示\\\\と<\\<>",
      "\"Hello,\" she said.",
      "\"Hello\"",
      "<A HREF=\"page2\">選ぶ</A> <WAIT VALUE=500>…</WAIT><EVENT VALUE=se END>",
      "<VAR NAME=name>さん <IMG SRC=face.png ALIGN=CENTER>",
      "two  spaces ",
  };
  for (const char* text : texts) {
    std::string source = "page 112\nMesNew\nTextIns " + QuoteCp932(CompiledText(text)) + "\n  . window \"mes\"\n";
    std::string bytes = test::PageBytes(source);
    std::string listing = Listing(bytes);
    EXPECT_EQ(listing.find("TextIns \"QnWord"), std::string::npos) << listing;
    EXPECT_EQ(Reassembled(listing), bytes) << listing;
  }
  std::string listing = Listing(test::PageBytes("TextIns 「こんにちは」と<B>彼</B>は言った。\n"));
  EXPECT_NE(listing.find("| TextIns 「こんにちは」と<B>彼</B>は言った。\n"), std::string::npos) << listing;
  // Markup that reads like quoted bytes is shown behind an empty comment.
  std::string quoted = Listing(test::PageBytes("TextIns <!---->\"Hello\"\n"));
  EXPECT_NE(quoted.find("TextIns <!---->\"Hello\"\n"), std::string::npos) << quoted;
}

TEST(TextSource, ListsMarkupCannotRebuildStayBytes) {
  TQnWord word;
  word.ParseText("a<B>b</B>", 50);
  ByteWriter older;
  word.SaveGlyphs(older, 101);
  TQnWord counted;
  counted.ParseText("ab", 50);
  counted.Decorations()[0].RefCount = 9;
  ByteWriter odd;
  counted.SaveGlyphs(odd);
  ByteWriter expression;
  expression.Bytes("QnWord100");
  expression.I32(1);
  for (int k = 0; k < 4; ++k) expression.I32(k == 0 ? 1 : -1);
  expression.U8(0);
  expression.U8(0);
  expression.I32(-1);
  expression.String("");
  expression.String("");
  expression.I32(-1);
  expression.I32(-1);
  expression.I32(1);
  expression.U8(GK_VAR);
  expression.I32(0);
  TRivoParser score;
  CompileExpression("score", score);
  score.SaveToStream(expression);

  for (const std::string& stored : {older.data(), odd.data(), expression.data(), std::string("\x01\x02text")}) {
    std::string bytes = test::PageBytes("TextIns " + QuoteCp932(stored) + "\n");
    std::string listing = Listing(bytes);
    EXPECT_NE(listing.find("TextIns \""), std::string::npos) << listing;
    EXPECT_EQ(Reassembled(listing), bytes) << listing;
  }
}

TEST(TextSource, AnEditedLineRebuildsWithTheNewText) {
  std::string bytes = test::PageBytes("TextIns 元の文です。\n  . window \"mes\"\nTextIns 次の文。\n");
  std::string listing = Listing(bytes);
  std::size_t at = listing.find("元の文です。");
  ASSERT_NE(at, std::string::npos) << listing;
  listing.replace(at, std::string("元の文です。").size(), "This is <I>new</I>.");
  std::string rebuilt = Reassembled(listing);
  TQnWord word;
  std::string stored = StoredText(rebuilt, 0);
  ByteReader in(stored, "");
  word.LoadGlyphs(in);
  std::string text;
  for (int32_t i = 0; i < word.Count(); ++i) text += static_cast<char>(static_cast<TWdChar&>(word[i]).Code);
  EXPECT_EQ(text, "This is new.");
  EXPECT_EQ(static_cast<TWdChar&>(word[9]).Decoration->Style, FS_ITALIC);
  EXPECT_EQ(StoredText(rebuilt, 1), StoredText(bytes, 1));
}

TEST(TextSource, APageCompiledWithAnotherDelaySaysSo) {
  std::string stored = CompiledText("速いです<WAIT VALUE=50>普通</WAIT>", 20);
  std::string bytes = test::PageBytes("TextIns " + QuoteCp932(stored) + "\n");
  std::string listing = Listing(bytes);
  EXPECT_NE(listing.find("textdelay 20\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("TextIns 速いです<WAIT VALUE=50>普通\n"), std::string::npos) << listing;
  EXPECT_EQ(Reassembled(listing), bytes);
  EXPECT_EQ(StoredText(test::PageBytes("textdelay 20\nTextIns 速い\n"), 0), CompiledText("速い", 20));
}

TEST(TextSource, MistakesInMarkupNameTheirLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"Calc a = 1\nTextIns <A>link</A>\n", "line 2: the markup does not compile [<A>タグにHREF値がありません]"},
      {"TextIns caf\xC3\xA9\n", "line 1: the text holds characters CP932 has no code for"},
      {"textdelay x\nTextIns a\n", "line 1: textdelay takes a number"},
  };
  for (const auto& [source, message] : cases) {
    try {
      test::PageBytes(source);
      ADD_FAILURE() << source;
    } catch (const RivoError& e) {
      EXPECT_EQ(std::string(e.what()).find(message), 0u) << e.what();
    }
  }
}

}  // namespace
}  // namespace rivo

// Page listings: disassembling and assembling give back the same bytes,
// expressions are shown as text the compiler turns back into the same
// operations, and loop targets follow the structure.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "scenario/block_commands.h"
#include "scenario/expression_text.h"
#include "scenario/exit_commands.h"
#include "scenario/page.h"
#include "scenario/page_source.h"
#include "script/build_rivo_parser.h"
#include "script/rivo_parser.h"
#include "scenario_fixtures.h"

namespace rivo {
namespace {

std::string RoundTrip(const std::string& bytes) {
  TPage page;
  page.LoadFromBytes(bytes, "page.rsb");
  std::string listing = DisassemblePage(page, nullptr);
  TPage again;
  AssemblePage(listing, again, "page.rsb", nullptr);
  return again.SaveToBytes();
}

TEST(PageSource, ExpressionsShowAsTextThatCompilesToTheSameOperations) {
  const char* texts[] = {
      "a = 1 + 2 * 3", "a = (1 + 2) * 3", "x = -5", "x = 3 - -2", "s = \"a\" ++ 1", "a[1, 2] = 5",
      "f = a[i + 1] > 2", "b = 1 < 2 == TRUE", "r = 7.0 / 2", "s = \"q\\\"uote\\\\ and\\nline\"",
      "v = Abs(-3) + Max(1, 2)", "x = a << 2 | b & c ^ d", "t = \"ソ表\" ++ name", "n = $10 % 3",
  };
  for (const char* text : texts) {
    TRivoParser parser;
    try {
      CompileExpression(text, parser);
    } catch (const std::exception& e) {
      continue;  // a function this build does not know
    }
    std::string source = ExpressionSource(parser);
    EXPECT_EQ(source.front() == '{', false) << text << " -> " << source;
    std::string bytes = CompileExpressionSource(source);
    ByteWriter original;
    parser.SaveToStream(original);
    EXPECT_EQ(bytes, original.data()) << text << " -> " << source;
  }
}

TEST(PageSource, OperationsNoTextReproducesAreListedOneByOne) {
  // A real the decimal text cannot hold, and an expression of two statements.
  ByteWriter out;
  out.I32(2);
  out.U8(1);
  out.String("a");
  out.I32(1);
  out.U8(2);
  out.Extended(0.1L + 1e-19L);
  out.U8(1);
  out.String("b");
  out.I32(1);
  out.U8(4);
  out.String("\x01");
  TRivoParser parser;
  ByteReader in(out.data(), "");
  parser.LoadFromStream(in);
  std::string source = ExpressionSource(parser);
  EXPECT_EQ(source.front(), '{') << source;
  EXPECT_EQ(CompileExpressionSource(source), out.data()) << source;
  // Each operation adds its temporary to itself: a text would double forty times.
  ByteWriter doubling;
  doubling.I32(41);
  doubling.U8(1);
  doubling.String("____0");
  doubling.I32(1);
  doubling.U8(1);
  doubling.I32(1);
  for (int i = 1; i <= 40; ++i) {
    doubling.U8(2);
    doubling.String("____" + std::to_string(i));
    doubling.I32(2);
    for (int k = 0; k < 2; ++k) {
      doubling.U8(0);
      doubling.String("____" + std::to_string(i - 1));
    }
  }
  TRivoParser doubled;
  ByteReader doubled_in(doubling.data(), "");
  doubled.LoadFromStream(doubled_in);
  std::string listing = ExpressionSource(doubled);
  EXPECT_EQ(listing.front(), '{');
  EXPECT_LT(listing.size(), 10000u);
  EXPECT_THROW(CompileExpressionSource("{ocNothing \"a\"}"), RivoError);
  EXPECT_THROW(CompileExpressionSource("{ocTo \"a\" i:1"), RivoError);
}

TEST(PageSource, EveryListingRebuildsTheSamePage) {
  const char* sources[] = {
      "page 103\nreturn flag\nWait\n  . time 3\nGameSave 2\n  . caption \"c\"\n",
      "page 110\nmasks 12 10\nmask BoxNew 0 3 79\nBoxNew\n  . PR_NAME \"b\"\n",
      "    -4 c=7,d=2,t=0x8E,depth=-3 | Calc a = 1\n",
      "Label \" spaced \"\nJump page.rsb\n  . target @\" spaced \"\n  . cond TRUE\n",
      "TextIns \"\\x81\\x00\\xFFtext\\r\\n\"\nComment \"ＭＳ ゴシック\"\n",
      "WhileInit i = 0\nWhile i < 3\n  Break TRUE\n  . target 17\nWhileLoop i = i + 1\n",
      "Calc {ocTo \"____arg\" v:\"\"}\nIf\n",
  };
  for (const char* source : sources) {
    std::string bytes = test::PageBytes(source);
    EXPECT_EQ(RoundTrip(bytes), bytes) << source;
  }
}

TEST(PageSource, AMaskTableOfCountlessEmptyEntriesListsAtOnce) {
  ByteWriter out;
  out.I32(112);
  out.U8(0);
  out.I32(0x7FFFFFFF);  // entries of no bytes: nothing to read, nothing to list
  out.I32(0);
  out.I32(0);
  EXPECT_EQ(RoundTrip(out.data()), out.data());
}

TEST(PageSource, LoopTargetsAreComputedFromTheStructure) {
  TPage page;
  AssemblePage(R"(WhileInit i = 0
While i < 3
  If i == 1
    Continue TRUE
  Break i == 2
WhileLoop i = i + 1
Break TRUE
)",
               page, "p.rsb", nullptr);
  EXPECT_EQ(static_cast<TComWhile&>(page[1]).ExitIndex, 6);
  EXPECT_EQ(static_cast<TComContinue&>(page[3]).TargetIndex, 5);
  EXPECT_EQ(static_cast<TComBreak&>(page[4]).TargetIndex, 6);
  EXPECT_EQ(static_cast<TComWhileLoop&>(page[5]).LoopIndex, 1);
  EXPECT_EQ(static_cast<TComBreak&>(page[6]).TargetIndex, -1);
}

TEST(PageSource, MistakesNameTheirLine) {
  struct Case {
    const char* source;
    const char* line;
  };
  for (Case c : {Case{"Calc a = 1\nFrobnicate\n", "line 2:"}, Case{"Calc a = (1\n", "line 1:"},
                 Case{"Calc a = 1\n  . bogus 1\n", "line 2:"}, Case{"Else 5\n", "line 1:"},
                 Case{"   BoxNew\n", "line 1:"}, Case{"Jump p.rsb\n  . target @nowhere\n", "line 2:"},
                 Case{"BoxNew\n  . PR_LEFT 1\nmasks 61 21\n", "line 3:"}}) {
    TPage page;
    try {
      AssemblePage(c.source, page, "p.rsb", nullptr);
      ADD_FAILURE() << c.source;
    } catch (const RivoError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.line, 0), 0u) << c.source << ": " << e.what();
    }
  }
}

}  // namespace
}  // namespace rivo

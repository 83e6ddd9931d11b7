// The texts message windows read from pages: taken from the interpreter's
// copy where it holds the page, read from the file otherwise, the same
// either way.

#include <gtest/gtest.h>

#include "scenario/stored_text_pages.h"
#include "scenario_fixtures.h"

namespace rivo {
namespace {

TEST(PageStoredTexts, APageTheInterpreterHoldsIsNotReadAgainAndGivesTheTextsOfTheFile) {
  test::Interpreter run;
  run.host.files["held.rsb"] = test::PageBytes(
      "TextIns 「こんにちは」と<B>彼</B>は言った。\nComment \"between\"\nTextIns 二つ目<BR>の行\n", "held.rsb");
  run.host.files["other.rsb"] = test::PageBytes("Comment \"first\"\nTextIns 別のページ\n", "other.rsb");
  run.Start("held.rsb");
  PageStoredTexts from_files(run.host), sharing(run.host);
  sharing.SetInterpreter(run.calls.get());
  struct Case {
    std::string page;
    int sharing_reads;  // reads of the file the sharing source makes
  } cases[] = {{"held.rsb", 0}, {"other.rsb", 1}};
  for (const Case& c : cases) {
    const std::unique_ptr<StoredTextPage> read = from_files.LoadPage(c.page);
    const int reads = run.host.reads[c.page];
    const std::unique_ptr<StoredTextPage> shared = sharing.LoadPage(c.page);
    EXPECT_EQ(run.host.reads[c.page] - reads, c.sharing_reads) << c.page;
    ASSERT_EQ(shared->CommandCount(), read->CommandCount()) << c.page;
    int texts = 0;
    for (int32_t i = -1; i <= read->CommandCount(); ++i) {
      const std::string* want = read->StoredText(i);
      const std::string* got = shared->StoredText(i);
      ASSERT_EQ(got != nullptr, want != nullptr) << c.page << " command " << i;
      if (!want) continue;
      EXPECT_EQ(*got, *want) << c.page << " command " << i;
      ++texts;
    }
    EXPECT_EQ(texts, c.page == "held.rsb" ? 2 : 1);
  }
  EXPECT_EQ(run.calls->CachedPageNames(), std::vector<std::string>{"held.rsb"}) << "the interpreter's cache is left as it was";
}

}  // namespace
}  // namespace rivo

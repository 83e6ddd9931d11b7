// rivotool eval, run as the user runs it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

namespace rivo {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int code;
  std::string out;
};

class RivotoolEval : public ::testing::Test {
 protected:
  void SetUp() override {
    tool_ = fs::path(RIVO_BIN_DIR) / "rivotool";
    if (!fs::exists(tool_)) GTEST_SKIP() << "rivotool is not built: " << tool_;
  }

  // args are passed through the shell as they stand (quote them). With
  // errors, out is what the tool writes on standard error instead.
  ToolRun Tool(const std::string& args, bool errors = false) {
    std::string command = "'" + tool_.string() + "' eval " + args + (errors ? " 2>&1 >/dev/null" : " 2>/dev/null");
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[256];
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
  }

  fs::path tool_;
};

TEST_F(RivotoolEval, PrintsTheResultAsKindAndValue) {
  struct Case {
    const char* args;
    const char* out;
  } cases[] = {
      {"'1 + 2 * 3'", "integer:7\n"},
      {"'3 - -2'", "integer:5\n"},
      {"'\"a\" ++ 1'", "string:a1\n"},
      {"'\"a\" + \"b\"'", "string:0\n"},
      {"'7.0 / 2'", "real:3.5\n"},
      {"'1 < 2 == TRUE'", "flag:TRUE\n"},
      {"'1 / 0'", "none\n"},
      {"'\"日本\" ++ \"語\"'", "string:日本語\n"},
  };
  for (const Case& c : cases) {
    ToolRun run = Tool(c.args);
    EXPECT_EQ(run.code, 0) << c.args;
    EXPECT_EQ(run.out, c.out) << c.args;
  }
}

TEST_F(RivotoolEval, PrintsTheVariablesTheRunChanged) {
  ToolRun run = Tool("'r = 7 / 2' --var r=real:0.5 --var untouched=integer:1 --var '名前=string:値'");
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, "none\nr=real:3\n");
  run = Tool("'名前 = 名前 ++ n' --var '名前=string:値' --var n=integer:-4");
  EXPECT_EQ(run.out, "none\n名前=string:値-4\n");
  run = Tool("'f = \"TRUE\"' --var f=flag:FALSE");
  EXPECT_EQ(run.out, "none\nf=flag:TRUE\n");
}

TEST_F(RivotoolEval, PrintsTheCompiledOperations) {
  ToolRun run = Tool("--ops 'a + b * 2 > c'");
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out,
            "ocMul ____0 := b, 2\n"
            "ocPlus ____1 := a, ____0\n"
            "ocBig ____2 := ____1, c\n"
            "ocTo ____arg := ____2\n");
  run = Tool("--ops 's = IntToStr(2.0, 3) ++ \"x\\\"y\"'");
  EXPECT_EQ(run.out,
            "ocTo ____0 := \"x\\\"y\"\n"
            "ocFunc ____1 := IntToStr(2.0, 3)\n"
            "ocComboStr ____2 := ____1, ____0\n"
            "ocTo s := ____2\n");
}

TEST_F(RivotoolEval, RefusesBadArgumentsAndReportsCompileErrors) {
  EXPECT_EQ(Tool("").code, 1);
  EXPECT_EQ(Tool("'1' --var x=integer:abc").code, 1);
  EXPECT_EQ(Tool("'1' --var x=number:1").code, 1);
  EXPECT_EQ(Tool("'1' '2'").code, 1);
  EXPECT_EQ(Tool("'(1'").code, 2);
  EXPECT_EQ(Tool("'Foo(1)'").code, 2);
}

// The player's own messages come after an English sentence.
TEST_F(RivotoolEval, ExplainsThePlayersMessagesInEnglish) {
  EXPECT_EQ(Tool("'Foo(1)'", true).out,
            "rivotool eval: there is no function \"Foo\" (\"Foo\" 関数名がありません)\n");
  EXPECT_EQ(Tool("'(1'", true).out, "rivotool eval: syntax error (構文エラー)\n");
}

}  // namespace
}  // namespace rivo

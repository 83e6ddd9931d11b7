// rivotool eval reaches the system functions.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "tool_runner.h"

namespace rivo {
namespace {

class RivotoolEvalFunctions : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(testing::RivotoolPath()))
      GTEST_SKIP() << "rivotool is not built: " << testing::RivotoolPath();
  }
};

TEST_F(RivotoolEvalFunctions, AnswersAsTheFunctionsDo) {
  struct Case {
    const char* expression;  // as the shell passes it (single-quoted)
    const char* out;
  } cases[] = {
      {"IntToStr(7, 3)", "string:007\n"},
      {"IntToStr(-7, 3)", "string:-007\n"},
      {"IntToHex(255, 4)", "string:00FF\n"},
      {"JLength(\"あa\")", "integer:2\n"},
      {"Length(\"あa\")", "integer:3\n"},
      // The expression's string literal escapes "\" as "\\".
      {"Pos(\"\\\\\", \"ソ\")", "integer:2\n"},
      {"JPos(\"\\\\\", \"ソ\")", "integer:0\n"},
      {"GetWeek(0)", "integer:7\n"},
      {"HanToZen(\"ｶﾞA1 \")", "string:ガＡ１　\n"},
      {"ZenToHan(\"ガＡ１　漢\")", "string:ｶﾞA1 \n"},
      {"StringOfChar(\"ab\", 3)", "string:ababab\n"},
      {"DBCreateTable(\"t\", 0)", "flag:TRUE\n"},
      {"SetProp(\"a\", 1, 2)", "none\n"},
  };
  for (const Case& c : cases) {
    testing::ToolOutput run = testing::RunRivotool(std::string("eval '") + c.expression + "'");
    EXPECT_EQ(run.code, 0) << c.expression;
    EXPECT_EQ(run.out, c.out) << c.expression;
  }
}

TEST_F(RivotoolEvalFunctions, VariablesTheFunctionsWriteAreShown) {
  testing::ToolOutput run =
      testing::RunRivotool("eval 'StringToArray(\"a,b\", v, \",\")' --var v=string:x");
  EXPECT_EQ(run.out, "integer:0\nv=string:[a,b]\n");
}

TEST_F(RivotoolEvalFunctions, TheSeedMakesRandomRepeatable) {
  std::string first = testing::RunRivotool("eval 'Random(1000000)' --seed 42").out;
  EXPECT_EQ(testing::RunRivotool("eval 'Random(1000000)' --seed 42").out, first);
  EXPECT_NE(testing::RunRivotool("eval 'Random(1000000)' --seed 43").out, first);
  EXPECT_EQ(testing::RunRivotool("eval 'Random(10)' --seed x").code, 1);
}

TEST_F(RivotoolEvalFunctions, TextFilesAreReadFromTheFolderGiven) {
  std::string pattern = (std::filesystem::temp_directory_path() / "rivo-eval-XXXXXX").string();
  ASSERT_TRUE(::mkdtemp(pattern.data()));
  std::filesystem::path folder = pattern;
  std::ofstream(folder / "lines.txt", std::ios::binary) << "one\r\ntwo\r\n";
  testing::ToolOutput run =
      testing::RunRivotool("eval 'LoadTextFile(v, \"lines.txt\")' --var v=string: --folder '" + folder.string() + "'");
  EXPECT_EQ(run.out, "flag:TRUE\nv=string:[one,two]\n");
  EXPECT_EQ(testing::RunRivotool("eval 'FileExists(\"lines.txt\")' --folder '" + folder.string() + "'").out,
            "flag:TRUE\n");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace rivo

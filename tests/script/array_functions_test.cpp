// The array functions.

#include <gtest/gtest.h>

#include "system_function_fixture.h"

namespace rivo {
namespace {

using testing::FunctionCase;

class ArrayFunctions : public testing::SystemFunctionTest {
 protected:
  // A one-dimensional array of kind holding the elements (UTF-8 texts).
  void Array(const std::string& name, uint8_t kind, std::vector<std::string> elements) {
    TCustomParam& v = Var(name, kind);
    int32_t count = static_cast<int32_t>(elements.size());
    v.SetDims({&count, 1});
    for (int32_t i = 0; i < count; ++i) v.SetStrAt(i, Utf8ToCp932(elements[static_cast<std::size_t>(i)]));
  }
};

TEST_F(ArrayFunctions, SizesAndShapes) {
  Var("a", PT_INT);
  EXPECT_EQ(Run("SetArray(a, 3, 4)"), "integer:0");
  const FunctionCase cases[] = {
      {"GetArraySize(a)", "integer:12"},
      {"GetArraySize(a, 0)", "integer:4"},
      {"GetArraySize(a, 1)", "integer:3"},
      {"GetArraySize(a, 2)", "integer:1"},
      {"GetArraySize(a, -1)", "integer:1"},
  };
  EXPECT_FUNCTION_CASES(cases);
  EXPECT_EQ(Run("SetArray(a, 0)"), "none");
  EXPECT_EQ(last_error, "配列の要素数[0]が不正です");
  EXPECT_EQ(Run("GetArraySize(a)"), "integer:12");
}

TEST_F(ArrayFunctions, TheArrayArgumentMustBeAVariable) {
  Var("a", PT_INT);
  const FunctionCase cases[] = {
      {"GetArraySize(5)", "GetArraySize:変数が見つかりません"},
      {"SetArray(2, 2)", "SetArray:変数が見つかりません"},
      {"FillMem(1, 2)", "FillMem:変数が見つかりません"},
      {"CopyMem(a, 1)", "CopyMem:変数が見つかりません"},
      {"CopyMem(1, a)", "CopyMem:変数が見つかりません"},
  };
  for (const FunctionCase& c : cases) {
    EXPECT_EQ(Run(c.expression), "none") << c.expression;
    EXPECT_EQ(last_error, c.expected) << c.expression;
  }
}

TEST_F(ArrayFunctions, FillAndCopy) {
  Var("a", PT_INT);
  Var("s", PT_STR);
  Var("b", PT_INT);
  Run("SetArray(a, 2, 2)");
  Run("SetArray(s, 3)");
  Run("FillMem(a, 7.9)");
  Run("FillMem(s, 12)");
  EXPECT_EQ(Value("a"), "integer:[7,7,7,7]");
  EXPECT_EQ(Value("s"), "string:[12,12,12]");
  Run("CopyMem(b, a)");
  EXPECT_EQ(Value("b"), "integer:[7,7,7,7]");
  EXPECT_EQ(Run("GetArraySize(b, 1)"), "integer:2");
  EXPECT_EQ(Run("CopyMem(b, s)"), "none");
  EXPECT_EQ(last_error, "CopyMem:変数の型があいません");
  // CopyArray converts where CopyMem refuses.
  EXPECT_EQ(Run("CopyArray(b, s)"), "flag:TRUE");
  EXPECT_EQ(Value("b"), "integer:[12,12,12]");
}

TEST_F(ArrayFunctions, FillingStringsPastTheTextLimitIsRefused) {
  Var("s", PT_STR);
  Run("SetArray(s, 1000000)");
  EXPECT_EQ(Run(R"(FillMem(s, StringOfChar("a", 100)))"), "none");
  EXPECT_EQ(last_error, "FillMem:文字列が長すぎます");
  EXPECT_EQ(Run("s[0] == \"\""), "flag:TRUE");
}

TEST_F(ArrayFunctions, JoinAndSplit) {
  Array("t", PT_STR, {"a", "b", "c"});
  Var("v", PT_STR);
  Var("n", PT_INT);
  EXPECT_EQ(Run("ArrayToString(t)"), "string:a\r\nb\r\nc");
  EXPECT_EQ(Run(R"(ArrayToString(t, ","))"), "string:a,b,c");
  struct Case {
    const char* call;
    const char* variable;
    const char* after;
  } cases[] = {
      {R"(StringToArray("a,b,,c", v, ","))", "v", "string:[a,b,,c]"},
      {R"(StringToArray("a,b,", v, ","))", "v", "string:[a,b]"},
      {R"(StringToArray(",", v, ","))", "v", "string:[]"},
      {R"(StringToArray("", v, ","))", "v", "string:"},
      {R"(StringToArray("a::b", v, "::"))", "v", "string:[a,b]"},
      {R"(StringToArray("a\nb", v))", "v", "string:[a,b]"},
      {R"(StringToArray("ソ\\x", v, "\\"))", "v", "string:[ソ,x]"},
      // An empty separator cuts nothing: the text is the one part.
      {R"(StringToArray("abc", v, ""))", "v", "string:[abc]"},
      {R"(StringToArray("1,2", n, ","))", "n", "integer:[1,2]"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.call), "integer:0") << c.call;
    EXPECT_EQ(Value(c.variable), c.after) << c.call << " " << last_error;
  }
  // CR LF, CR and LF all end lines; a break at the end starts no line.
  Var("lines", PT_STR).SetStr("a\r\nb\nc\rd\r\n");
  Run("StringToArray(lines, v)");
  EXPECT_EQ(Value("v"), "string:[a,b,c,d]");
}

TEST_F(ArrayFunctions, SearchAndSort) {
  Array("t", PT_STR, {"apple", "Banana", "cherry"});
  const FunctionCase cases[] = {
      {R"(IndexOfStr(t, "Banana"))", "integer:1"},
      {R"(IndexOfStr(t, "banana"))", "integer:-1"},
      {R"(IndexOfStr(t, "banana", FALSE))", "integer:1"},
      {R"(IndexOfStr(t, "err", TRUE, TRUE))", "integer:2"},
      {R"(IndexOfStr(t, "ANA", FALSE, TRUE))", "integer:1"},
      {R"(IndexOfStr(t, "ANA", TRUE, TRUE))", "integer:-1"},
  };
  EXPECT_FUNCTION_CASES(cases);
  // Case is ignored; texts equal but for case keep one fixed order ("A"
  // before "a"); letters fold to upper case, so "_" comes after them.
  Array("u", PT_STR, {"b", "a", "ア", "B", "_", "1", "A"});
  Run("SortStr(u)");
  EXPECT_EQ(Value("u"), "string:[1,A,a,B,b,_,ア]");
  Array("n", PT_INT, {"10", "9", "-1"});
  Run("SortStr(n)");
  EXPECT_EQ(Value("n"), "integer:[-1,10,9]");
}

TEST_F(ArrayFunctions, AddInsertAndDelete) {
  struct Case {
    const char* call;
    const char* result;
    const char* after;
  } cases[] = {
      {"AddArray(a, b)", "integer:5", "integer:[1,2,3,8,9]"},
      {"AddArray(a, a)", "integer:6", "integer:[1,2,3,1,2,3]"},
      {"AddArray(a, s)", "integer:5", "integer:[1,2,3,7,0]"},
      {"AddArray(a, m)", "integer:3", "integer:[1,2,3]"},
      {"InsertArray(a, 1, b)", "integer:5", "integer:[1,8,9,2,3]"},
      {"InsertArray(a, -5, b)", "integer:5", "integer:[8,9,1,2,3]"},
      {"InsertArray(a, 99, b)", "integer:5", "integer:[1,2,3,8,9]"},
      {"InsertArray(a, 1, a)", "integer:6", "integer:[1,1,2,3,2,3]"},
      {"DeleteArray(a, 1, 1)", "integer:2", "integer:[1,3]"},
      {"DeleteArray(a, 99, 1)", "integer:2", "integer:[1,2]"},
      {"DeleteArray(a, -3, 2)", "integer:1", "integer:[3]"},
      {"DeleteArray(a, 1, 99)", "integer:1", "integer:[1]"},
      {"DeleteArray(a, 1, -1)", "integer:3", "integer:[1,2,3]"},
      {"DeleteArray(a, 0, 3)", "integer:0", "integer:[]"},
  };
  for (const Case& c : cases) {
    Array("a", PT_INT, {"1", "2", "3"});
    Array("b", PT_INT, {"8", "9"});
    Array("s", PT_STR, {"7", "x"});
    Var("m", PT_INT);
    Run("SetArray(m, 2, 2)");
    EXPECT_EQ(Run(c.call), c.result) << c.call << " " << last_error;
    EXPECT_EQ(Value("a"), c.after) << c.call;
  }
}

TEST_F(ArrayFunctions, AnArrayEmptiedByDeleteGrowsAgainAndCopiesAsEmpty) {
  Var("a", PT_INT, "5");
  Var("c", PT_STR, "x");
  EXPECT_EQ(Run("DeleteArray(a, 0, 1)"), "integer:0");
  EXPECT_EQ(Run("GetArraySize(a)"), "integer:0");
  EXPECT_EQ(Run("DeleteArray(a, 0, 1)"), "integer:0");
  EXPECT_EQ(Run("CopyArray(c, a)"), "flag:TRUE");
  EXPECT_EQ(Run("GetArraySize(c)"), "integer:0");
  EXPECT_EQ(Run("AddArray(a, 4)"), "integer:1");
  EXPECT_EQ(Value("a"), "integer:[4]");
  // A scalar is an array of one element.
  Var("x", PT_INT, "1");
  EXPECT_EQ(Run("AddArray(x, 2)"), "integer:2");
  EXPECT_EQ(Value("x"), "integer:[1,2]");
}

TEST_F(ArrayFunctions, GrowingPastTheArrayLimitIsRefusedBeforeAnythingChanges) {
  Var("a", PT_INT);
  Run("SetArray(a, 4194304)");
  EXPECT_EQ(Run("AddArray(a, a)"), "none");
  EXPECT_EQ(last_error, "配列の要素数[8388608]が不正です");
  EXPECT_EQ(Run("GetArraySize(a)"), "integer:4194304");
}

}  // namespace
}  // namespace rivo

// The string functions, byte-counted and character-counted.

#include <gtest/gtest.h>

#include "system_function_fixture.h"

namespace rivo {
namespace {

using testing::FunctionCase;

class StringFunctions : public testing::SystemFunctionTest {};

TEST_F(StringFunctions, CountAndCutInBytesOrInCharacters) {
  const FunctionCase cases[] = {
      {R"(Length("あa"))", "integer:3"},
      {R"(JLength("あa"))", "integer:2"},
      {R"(Length(""))", "integer:0"},
      {R"(Copy("abc", 2))", "string:bc"},
      {R"(Copy("abc", 2, 1))", "string:b"},
      {R"(Copy("abc", 0, 2))", "string:ab"},
      {R"(Copy("abc", -2147483648, 2))", "string:ab"},
      {R"(Copy("abc", 4))", "string:"},
      {R"(Copy("abc", 2147483647, 5))", "string:"},
      {R"(Copy("abc", 2, -1))", "string:"},
      {R"(Copy("abc", 2, 2147483647))", "string:bc"},
      {R"(JCopy("あいう", 2))", "string:いう"},
      {R"(JCopy("aあb", 2, 1))", "string:あ"},
      {R"(JCopy("あ", 0, 1))", "string:あ"},
      {R"(JCopy("あ", 5))", "string:"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(StringFunctions, ByteSlicesMayCutACharacterWhileCharacterSlicesNever) {
  // あ is 82 A0 and い is 82 A2: bytes 2-3 are A0 82.
  TCustomParam& s = Var("s", PT_STR, "あい");
  ASSERT_EQ(s.AsStr(), "\x82\xa0\x82\xa2");
  Var("c", PT_STR);
  Run("c = Copy(s, 2, 2)");
  EXPECT_EQ(store.Find("c")->Param().AsStr(), "\xa0\x82");
  Run("c = JCopy(s, 2, 1)");
  EXPECT_EQ(store.Find("c")->Param().AsStr(), "\x82\xa2");
}

TEST_F(StringFunctions, DeleteAndInsertWriteTheirTextArgumentBack) {
  struct Case {
    const char* start;
    const char* call;
    const char* after;
  } cases[] = {
      {"abcdef", "Delete(s, 2, 3)", "string:aef"},
      {"abcdef", "Delete(s, 3)", "string:ab"},
      {"abcdef", "Delete(s, 5, 100)", "string:abcd"},
      {"abcdef", "Delete(s, 0, 2)", "string:abcdef"},
      {"abcdef", "Delete(s, 7, 1)", "string:abcdef"},
      {"abcdef", "Delete(s, 2, -1)", "string:abcdef"},
      {"あいう", "JDelete(s, 2, 1)", "string:あう"},
      {"あいう", "JDelete(s, 2)", "string:あ"},
      {"あいう", "JDelete(s, 4, 1)", "string:あいう"},
      {"abc", R"(Insert("X", s, 3))", "string:abXc"},
      {"abc", R"(Insert("X", s, 0))", "string:Xabc"},
      {"abc", R"(Insert("X", s, 99))", "string:abcX"},
      {"あい", R"(JInsert("X", s, 2))", "string:あXい"},
      {"あい", R"(JInsert("X", s, 3))", "string:あいX"},
      {"あい", R"(JInsert("X", s, -7))", "string:Xあい"},
  };
  for (const Case& c : cases) {
    Var("s", PT_STR, c.start);
    // The function's own result is left as it was made: empty.
    EXPECT_EQ(Run(c.call), "string:") << c.call;
    EXPECT_EQ(Value("s"), c.after) << c.call;
  }
}

// String literals reach functions through temporaries; a number is passed
// as the literal of the compiled expression itself, which must stay as compiled.
TEST_F(StringFunctions, ALiteralInPlaceOfAVariableIsNeverChanged) {
  TRivoParser parser;
  CompileExpression("Delete(12345, 1, 1)", parser);
  for (int run = 0; run < 2; ++run) {
    parser.Evaluate(store);
    EXPECT_EQ(parser.LastError(), "");
  }
  const TOpeData& call = parser.Operations().front();
  ASSERT_TRUE(call.operands[0].literal);
  EXPECT_EQ(call.operands[0].literal->AsInt(), 12345);
}

TEST_F(StringFunctions, CompareAndSearch) {
  const FunctionCase cases[] = {
      {R"(CompareStr("a", "b") < 0)", "flag:TRUE"},
      {R"(CompareStr("b", "a") > 0)", "flag:TRUE"},
      {R"(CompareStr("a", "A") > 0)", "flag:TRUE"},
      {R"(CompareStr("ab", "ab"))", "integer:0"},
      {R"(CompareStr("ab", "abc") < 0)", "flag:TRUE"},
      {R"(CompareText("abc", "ABC"))", "integer:0"},
      {R"(CompareText("a", "B") < 0)", "flag:TRUE"},
      {R"(Pos("b", "abc"))", "integer:2"},
      {R"(Pos("x", "abc"))", "integer:0"},
      {R"(Pos("", "abc"))", "integer:0"},
      {R"(Pos("\\", "ソ"))", "integer:2"},
      {R"(JPos("\\", "ソ"))", "integer:0"},
      {R"(JPos("う", "あいう"))", "integer:3"},
      {R"(JPos("\\", "ソ\\"))", "integer:2"},
      {R"(JPos("", "a"))", "integer:0"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(StringFunctions, TrimAndFix) {
  const FunctionCase cases[] = {
      {R"(Trim("  a b  "))", "string:a b"},
      {R"(Trim("   "))", "string:"},
      {R"(JTrim("　 a　 "))", "string:a"},
      {R"(JTrim(" 　"))", "string:"},
      // ＝ is 81 81: with the "@" after it the last bytes read 81 40, the
      // full-width blank, but they are no character of the text.
      {R"(JTrim("＝@"))", "string:＝@"},
      {R"(FixStr("aあ"))", "string:aあ"},
      {R"(FixStr("ab" ++ Copy("あ", 1, 1)))", "string:ab"},
      {R"(FixStr(""))", "string:"},
  };
  EXPECT_FUNCTION_CASES(cases);
  // Control characters are blanks to Trim, not to JTrim.
  Var("t", PT_STR).SetStr("\t a\r\n");
  EXPECT_EQ(Run("Trim(t)"), "string:a");
  EXPECT_EQ(Run("JTrim(t) == t"), "flag:TRUE");
}

TEST_F(StringFunctions, CaseFoldingKnowsTheDoubleByteLettersAndLeavesTrailBytesAlone) {
  const FunctionCase cases[] = {
      {R"(UpperCase("abcＡｂｃ"))", "string:ABCＡＢＣ"},
      {R"(LowerCase("ABCＡＢＣ"))", "string:abcａｂｃ"},
      {R"(LowerCase("ΑΩАЯЁ"))", "string:αωаяё"},
      {R"(UpperCase("αωаяён"))", "string:ΑΩАЯЁН"},
      // ア is 83 41 ("A" as its second byte), ツ is 83 63 ("c").
      {R"(LowerCase("アA"))", "string:アa"},
      {R"(UpperCase("ツc"))", "string:ツC"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(StringFunctions, FileNamesAndDelimiters) {
  const FunctionCase cases[] = {
      {R"(ExtractFilePath("bg\\room.orb"))", "string:bg\\"},
      {R"(ExtractFileName("bg\\room.orb"))", "string:room.orb"},
      {R"(ExtractFileExt("bg\\room.orb"))", "string:.orb"},
      {R"(ExtractFileExt("a.b\\c"))", "string:"},
      {R"(ExtractFilePath("c:a.txt"))", "string:c:"},
      {R"(ExtractFileName("表"))", "string:表"},
      {R"(ChangeFileExt("a.txt", ".dat"))", "string:a.dat"},
      {R"(ChangeFileExt("a", ".dat"))", "string:a.dat"},
      {R"(IsPathDelimiter("a\\b", 2))", "flag:TRUE"},
      {R"(IsPathDelimiter("ソ", 2))", "flag:FALSE"},
      {R"(IsPathDelimiter("a\\", 0))", "flag:FALSE"},
      {R"(IsPathDelimiter("a\\", 3))", "flag:FALSE"},
      {R"(AddBackSlash("a"))", "string:a\\"},
      {R"(AddBackSlash("a\\"))", "string:a\\"},
      {R"(AddBackSlash("ソ"))", "string:ソ\\"},
      {R"(AddBackSlash(""))", "string:\\"},
      {R"(IsDelimiter(",;", "a;b", 2))", "flag:TRUE"},
      {R"(IsDelimiter(",;", "a;b", 1))", "flag:FALSE"},
      {R"(IsDelimiter("\\", "ソ", 2))", "flag:FALSE"},
      {R"(IsDelimiter("ソ", "a\\", 2))", "flag:FALSE"},
      {R"(AddDelimiter(",", ""))", "string:"},
      {R"(AddDelimiter(",", "a"))", "string:a,"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(StringFunctions, RepeatAndReplace) {
  const FunctionCase cases[] = {
      {R"(StringOfChar("ab", 3))", "string:ababab"},
      {R"(StringOfChar("ab", 0))", "string:"},
      {R"(StringOfChar("ab", -1))", "string:"},
      {R"(StringOfChar("", 5))", "string:"},
      {R"(StringReplace("a-b-c", "-", "+"))", "string:a+b-c"},
      {R"(StringReplace("a-b-c", "-", "+", TRUE))", "string:a+b+c"},
      {R"(StringReplace("aXbxc", "x", "-", TRUE))", "string:aXb-c"},
      {R"(StringReplace("aXbxc", "x", "-", TRUE, TRUE))", "string:a-b-c"},
      {R"(StringReplace("ＡＢａ", "ａ", "x", TRUE, TRUE))", "string:xＢx"},
      {R"(StringReplace("abc", "", "-", TRUE))", "string:abc"},
      {R"(StringReplace("ソ", "\\", "/", TRUE))", "string:ソ"},
      {R"(StringReplace("aaa", "a", "aa", TRUE))", "string:aaaaaa"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(StringFunctions, TextThatWouldGrowPastTheLimitIsRefused) {
  EXPECT_EQ(Run(R"(StringOfChar("ab", 2147483647))"), "none");
  EXPECT_EQ(last_error, "StringOfChar:文字列が長すぎます");
  Var("s", PT_STR, "");
  Run(R"(s = StringOfChar("a", 1000000))");
  EXPECT_EQ(Run(R"(StringReplace(s, "a", StringOfChar("b", 100), TRUE))"), "none");
  EXPECT_EQ(last_error, "StringReplace:文字列が長すぎます");
  EXPECT_EQ(Run(R"(Length(StringReplace(s, "a", "bb", TRUE)))"), "integer:2000000");
}

}  // namespace
}  // namespace rivo

// Compiling expression text: the operations each pass produces, the errors,
// and the compiled form.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "script/build_rivo_parser.h"
#include "script/opcodes.h"
#include "script/rivo_parser.h"

namespace rivo {
namespace {

// The operations as "opcode dest := operands" joined by "; ".
std::string Listing(const std::string& text) {
  TBuildRivoParser parser;
  parser.Compile(text);
  std::string out;
  for (const TBuildOpeData& op : parser.Operations()) {
    if (!out.empty()) out += "; ";
    out += OpCodeName(op.opcode) + " " + op.dest + " :=";
    if (op.opcode == ocFunc) out += " " + op.function + "(";
    for (std::size_t k = 0; k < op.operands.size(); ++k) out += (k ? ", " : op.opcode == ocFunc ? "" : " ") + op.operands[k];
    if (op.opcode == ocFunc) out += ")";
  }
  return out;
}

TEST(ExpressionCompiler, ProducesTheOperationsOfEachPass) {
  struct Case {
    const char* text;
    const char* ops;
  } cases[] = {
      {"a = 1 + 2 * 3", "ocMul ____0 := 2, 3; ocPlus ____1 := 1, ____0; ocTo a := ____1"},
      {"a = (1 + 2) * 3", "ocPlus ____1 := 1, 2; ocMul ____2 := ____1, 3; ocTo a := ____2"},
      {"x = -5", "ocMinus ____0 := 0, 5; ocTo x := ____0"},
      {"3 - -2", "ocMinus ____0 := 0, 2; ocMinus ____1 := 3, ____0; ocTo ____arg := ____1"},
      {"-a * b", "ocMul ____0 := a, b; ocMinus ____1 := 0, ____0; ocTo ____arg := ____1"},
      {"+a", "ocPlus ____0 := 0, a; ocTo ____arg := ____0"},
      {"a * +b", "ocMul ____0 := a, b; ocTo ____arg := ____0"},
      {"f(g(1), 2)", "ocFunc ____0 := g(1); ocFunc ____1 := f(____0, 2); ocTo ____arg := ____1"},
      {"f(a + b, (c), , d[1])",
       "ocPlus ____1 := a, b; ocDimTo ____d_3 := d, 1; ocTo ____2 := ____d_3; ocFunc ____4 := f(____1, c, , ____2); "
       "ocTo ____arg := ____4"},
      {"DBDelete()", "ocFunc ____0 := DBDelete(); ocTo ____arg := ____0"},
      {"a[1, 2] = 5", "ocDimTo ____d_0 := a, 1, 2; ocTo ____d_0 := 5"},
      {"a[b[i]]", "ocDimTo ____d_0 := b, i; ocDimTo ____d_1 := a, ____d_0; ocTo ____arg := ____d_1"},
      {"a[i + 1]", "ocPlus ____1 := i, 1; ocDimTo ____d_2 := a, ____1; ocTo ____arg := ____d_2"},
      {"s = \"a\" ++ 1", "ocTo ____0 := \"a\"; ocComboStr ____1 := ____0, 1; ocTo s := ____1"},
      // "++" is looser than the comparisons, "&" "^" "|" looser still.
      {"a ++ b == c", "ocEqual ____0 := b, c; ocComboStr ____1 := a, ____0; ocTo ____arg := ____1"},
      {"1 < 2 == TRUE", "ocSmall ____0 := 1, 2; ocEqual ____1 := ____0, TRUE; ocTo ____arg := ____1"},
      {"a | b ^ c & d ++ e", "ocComboStr ____0 := d, e; ocAnd ____1 := c, ____0; ocXor ____2 := b, ____1; "
                             "ocOr ____3 := a, ____2; ocTo ____arg := ____3"},
      {"a << b + c >= d", "ocPlus ____0 := b, c; ocShiftL ____1 := a, ____0; ocEBig ____2 := ____1, d; "
                          "ocTo ____arg := ____2"},
      {"a<>b", "ocNEqual ____0 := a, b; ocTo ____arg := ____0"},
      {"a % b >> c", "ocMod ____0 := a, b; ocShiftR ____1 := ____0, c; ocTo ____arg := ____1"},
      {"x", "ocTo ____arg := x"},
      {"", "ocTo ____arg := "},
      {"  ", "ocTo ____arg := "},
      {"((x))", "ocTo ____0 := x; ocTo ____arg := ____0"},
      // Names may hold double-byte characters: 変数.
      {"\x95\xCF\x90\x94 = 1", "ocTo \x95\xCF\x90\x94 := 1"},
  };
  for (const Case& c : cases) EXPECT_EQ(Listing(c.text), c.ops) << c.text;
}

TEST(ExpressionCompiler, StringLiteralsTakeEscapes) {
  EXPECT_EQ(Listing("s = \"a\\\"b\\\\c\\nd\\x\""), "ocTo ____0 := \"a\"b\\c\r\nd\\x\"; ocTo s := ____0");
  // Operator characters inside a literal are text, and a trail byte 0x5C
  // (ソ) is no backslash.
  EXPECT_EQ(Listing("\"(a+b\" ++ \"\x83\x5C\""), "ocTo ____0 := \"(a+b\"; ocTo ____1 := \"\x83\x5C\"; "
                                               "ocComboStr ____2 := ____0, ____1; ocTo ____arg := ____2");
  EXPECT_EQ(Listing("\"\""), "ocTo ____0 := \"\"; ocTo ____arg := ____0");
}

TEST(ExpressionCompiler, RejectsMalformedText) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"(1", "構文エラー"},       {"1)", "構文エラー"},         {"f(1", "構文エラー"},
      {"a[1", "構文エラー"},      {"a]", "構文エラー"},         {"f(a[1)", "構文エラー"},
      {"\"open", "構文エラー"},   {"* 2", "構文エラー"},        {"1 +", "構文エラー"},
      {"= 1", "構文エラー"},      {"a = b = c", "構文エラー"},  {"1, 2", "構文エラー"},
      {"x + [1]", "構文エラー"},  {"a 1 + * 2", "構文エラー"},  {",", "構文エラー"},
      {"()", "構文エラー"},       {"a[]", "配列の添え字が不正です"}, {"a[ ]", "配列の添え字が不正です"},
  };
  for (const Case& c : cases) {
    TBuildRivoParser parser;
    parser.Compile("kept = 1");
    try {
      parser.Compile(c.text);
      ADD_FAILURE() << c.text;
    } catch (const RivoError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.text;
    }
    EXPECT_EQ(parser.Operations().size(), 1u) << "a failed compile adds nothing: " << c.text;
  }
}

std::string Compiled(const std::string& text) {
  TBuildRivoParser parser;
  parser.Compile(text);
  ByteWriter out;
  parser.SaveToStream(out);
  return out.Take();
}

TEST(ExpressionCompiler, FunctionCallsAreCheckedWhenWritten) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"Foo(1)", "\"Foo\" 関数名がありません"},
      {"intToStr(1)", "\"intToStr\" 関数名がありません"},
      {"IntToStr()", "IntToStr 引数の数が不正です"},
      {"IntToStr(1, 2, 3)", "IntToStr 引数の数が不正です"},
      {"DBDelete(1)", "DBDelete 引数の数が不正です"},
  };
  for (const Case& c : cases) {
    try {
      Compiled(c.text);
      ADD_FAILURE() << c.text;
    } catch (const RivoError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  EXPECT_NO_THROW(Compiled("SetArray(a, 1, 2, 3, 4, 5, 6)"));
  EXPECT_NO_THROW(Compiled("ListSaveCaption()"));
}

TEST(ExpressionCompiler, OperandsAreTypedByTheirText) {
  TRivoParser parser;
  CompileExpression("DBInsert(12, $1F, 1.5, 1e3, TRUE, y, 0x10, true, 99999999999, \"s\")", parser);
  const TOpeData& literal = parser.Operations()[0];
  ASSERT_EQ(literal.opcode, ocTo);
  ASSERT_TRUE(literal.operands[0].literal);
  EXPECT_EQ(literal.operands[0].literal->GetKind(), PT_STR);
  EXPECT_EQ(literal.operands[0].literal->AsStr(), "s") << "without the quotes";

  const TOpeData& call = parser.Operations()[1];
  ASSERT_EQ(call.opcode, ocFunc);
  struct Expected {
    uint8_t kind;  // PT_NONE: a variable name
    const char* text;
  } expected[] = {
      {PT_INT, "12"},   {PT_INT, "31"},     {PT_FLOAT, "1.5"}, {PT_FLOAT, "1000"},         {PT_BOOL, "TRUE"},
      {PT_NONE, "y"},   {PT_NONE, "0x10"},  {PT_NONE, "true"}, {PT_FLOAT, "99999999999"}, {PT_NONE, "____0"},
  };
  ASSERT_EQ(call.operands.size(), std::size(expected));
  for (std::size_t k = 0; k < std::size(expected); ++k) {
    const TOpeOperand& operand = call.operands[k];
    if (expected[k].kind == PT_NONE) {
      EXPECT_FALSE(operand.literal) << k;
      EXPECT_EQ(operand.name, expected[k].text);
    } else {
      ASSERT_TRUE(operand.literal) << k;
      EXPECT_EQ(operand.literal->GetKind(), expected[k].kind) << k;
      EXPECT_EQ(operand.literal->AsStr(), expected[k].text) << k;
    }
  }
}

TEST(ExpressionCompiler, CompiledFormRoundTripsToTheSameBytes) {
  const char* texts[] = {
      "a = 1 + 2 * 3",
      "s = \"x\\\"y\" ++ 2.5 ++ TRUE ++ $FF",
      "r = IntToStr(Length(s), 3) ++ a[1, i + 1]",
      "x = -(a - 0.125) * 1e10 % 7 <> FALSE",
      "",
  };
  for (const char* text : texts) {
    std::string first = Compiled(text);
    TRivoParser parser;
    ByteReader in(first, "page.rsb");
    parser.LoadFromStream(in);
    EXPECT_TRUE(in.AtEnd());
    ByteWriter again;
    parser.SaveToStream(again);
    EXPECT_EQ(again.data(), first) << text;
    TRivoParser copy;
    copy.Assign(parser);
    ByteWriter copied;
    copy.SaveToStream(copied);
    EXPECT_EQ(copied.data(), first) << text;
  }
}

}  // namespace
}  // namespace rivo

// Number conversions and arithmetic functions.

#include <gtest/gtest.h>

#include "script/script_random.h"
#include "system_function_fixture.h"

namespace rivo {
namespace {

using testing::FunctionCase;

class ConversionFunctions : public testing::SystemFunctionTest {};

TEST_F(ConversionFunctions, NumbersToText) {
  const FunctionCase cases[] = {
      {"IntToStr(7)", "string:7"},
      {"IntToStr(7, 3)", "string:007"},
      {"IntToStr(-7, 3)", "string:-007"},
      {"IntToStr(1234, 2)", "string:1234"},
      {"IntToStr(0, 0)", "string:0"},
      {"IntToStr(-2147483648, 12)", "string:-002147483648"},
      // A negative count asks for no padding.
      {"IntToStr(5, -3)", "string:5"},
      {"IntToHex(255, 4)", "string:00FF"},
      {"IntToHex(255, 1)", "string:FF"},
      {"IntToHex(-1, 2)", "string:FFFFFFFF"},
      {"IntToHex(0, 0)", "string:0"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(ConversionFunctions, DigitCountsThatCouldOnlyBeMistakesAreRefused) {
  EXPECT_EQ(Run("IntToStr(5, 255)").size(), std::string("string:").size() + 255);
  for (const char* expression : {"IntToStr(5, 256)", "IntToHex(5, 2147483647)"}) {
    EXPECT_EQ(Run(expression), "none") << expression;
    EXPECT_EQ(last_error, std::string(expression).substr(0, 8) + ":桁数が不正です") << expression;
  }
}

TEST_F(ConversionFunctions, TextToNumbersWithDefaults) {
  const FunctionCase cases[] = {
      {R"(StrToIntDef("12", 3))", "integer:12"},
      {R"(StrToIntDef(" -12 ", 3))", "integer:-12"},
      {R"(StrToIntDef("$FF", 3))", "integer:255"},
      {R"(StrToIntDef("1.5", 3))", "integer:3"},
      {R"(StrToIntDef("", 3))", "integer:3"},
      {R"(StrToIntDef("99999999999", 3))", "integer:3"},
      {R"(StrToFloatDef("2.5", 0))", "real:2.5"},
      {R"(StrToFloatDef("-1e3", 0))", "real:-1000"},
      {R"(StrToFloatDef("x", 1.5))", "real:1.5"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(ConversionFunctions, Arithmetic) {
  const FunctionCase cases[] = {
      {"Int(2.7)", "integer:2"},
      {"Int(Float(0) - 2.7)", "integer:-2"},
      {"Float(3)", "real:3"},
      {"Sin(0)", "real:0"},
      {"Cos(0)", "real:1"},
      {"ArcTan2(1, 1) * 4", "real:3.14159265358979"},
      {"ArcTan(1) * 4", "real:3.14159265358979"},
      {"ArcCos(0) * 2", "real:3.14159265358979"},
      {"Hypot(3, 4)", "real:5"},
      {"Abs(0 - 5)", "integer:5"},
      {"Abs(-2147483648)", "integer:-2147483648"},
      {"Fabs(Float(0) - 2.5)", "real:2.5"},
      {"Min(3, 0 - 1)", "integer:-1"},
      {"Max(3, 0 - 1)", "integer:3"},
      {"Fmin(1.5, 2)", "real:1.5"},
      {"Fmax(1.5, 2)", "real:2"},
      {"Not(TRUE)", "flag:FALSE"},
      {"Not(0)", "flag:TRUE"},
  };
  EXPECT_FUNCTION_CASES(cases);
  // A result that is no number is the run-time's error, as for operators.
  EXPECT_EQ(Run("ArcSin(2)"), "none");
  EXPECT_EQ(last_error, "Invalid floating point operation");
}

TEST_F(ConversionFunctions, RandomDrawsBelowItsArgumentAndNothingFromNothing) {
  const FunctionCase cases[] = {{"Random(0)", "integer:0"}, {"Random(-5)", "integer:0"}, {"Random(1)", "integer:0"}};
  EXPECT_FUNCTION_CASES(cases);
  std::vector<int> seen(10);
  for (int i = 0; i < 2000; ++i) {
    int32_t n = std::stoi(Run("Random(10)").substr(8));
    ASSERT_GE(n, 0);
    ASSERT_LT(n, 10);
    ++seen[static_cast<std::size_t>(n)];
  }
  for (int count : seen) EXPECT_GT(count, 100);
}

TEST(ScriptRandom, TheSameSeedDrawsTheSameNumbers) {
  TScriptRandom a(42), b(42), c(43);
  bool differs = false;
  for (int i = 0; i < 100; ++i) {
    int32_t x = a.Next(1000);
    EXPECT_EQ(x, b.Next(1000));
    differs |= x != c.Next(1000);
  }
  EXPECT_TRUE(differs);
  // The whole range is reachable for the largest n.
  TScriptRandom wide(7);
  int32_t high = 0;
  for (int i = 0; i < 1000; ++i) high = std::max(high, wide.Next(INT32_MAX));
  EXPECT_GT(high, INT32_MAX / 2);
}

}  // namespace
}  // namespace rivo

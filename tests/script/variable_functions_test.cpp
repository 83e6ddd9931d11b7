// Functions about variables and "Calc".

#include <gtest/gtest.h>

#include "system_function_fixture.h"

namespace rivo {
namespace {

using testing::FunctionCase;

class VariableFunctions : public testing::SystemFunctionTest {};

TEST_F(VariableFunctions, ExistenceKindsAndTheTempVariable) {
  Var("x", PT_INT, "5");
  Var("s", PT_STR, "a");
  const FunctionCase cases[] = {
      {R"(VarExists("x"))", "flag:TRUE"},
      {R"(VarExists("X"))", "flag:TRUE"},
      {R"(VarExists("nope"))", "flag:FALSE"},
      {"GetVarType(x)", "integer:1"},
      {"GetVarType(s)", "integer:4"},
      {"GetVarType(2.5)", "integer:2"},
      {"GetVarType(TRUE)", "integer:3"},
      {R"(AssignTemp("nope"))", "flag:FALSE"},
      {R"(AssignTemp("x"))", "flag:TRUE"},
      {"@Temp + 1", "integer:6"},
  };
  EXPECT_FUNCTION_CASES(cases);
  EXPECT_EQ(store.TempTarget(), "x");
}

TEST_F(VariableFunctions, CalcRunsTextAndSaysWhetherItCompiled) {
  Var("x", PT_INT);
  const FunctionCase cases[] = {
      {R"(Calc("x = 5"))", "string:TRUE"},
      {R"(Calc("  x = x + 1  "))", "string:TRUE"},
      {R"(Calc(""))", "string:"},
      {R"(Calc("   "))", "string:"},
      {R"(Calc("x = (1"))", "string:"},
      {R"x(Calc("x = NoSuch(1)"))x", "string:"},
      // Compiled, then failed while running: still "TRUE".
      {R"(Calc("x = 1 / 0"))", "string:TRUE"},
  };
  EXPECT_FUNCTION_CASES(cases);
  EXPECT_EQ(Value("x"), "integer:6");
}

TEST_F(VariableFunctions, CalcThatCallsItselfStopsAtTheReentryLimit) {
  Var("n", PT_INT);
  // Each level runs the next Calc before it counts: the deepest level fails
  // at the limit, every level above it counts once.
  Var("s", PT_STR).SetStr("n = n + 1 + Length(Calc(s)) * 0");
  EXPECT_EQ(Run("Calc(s)"), "string:TRUE");
  EXPECT_EQ(Value("n"), "integer:" + std::to_string(TSysFuncMan::kMaxCalcDepth - 1));
  EXPECT_EQ(functions.CalcDepth(), 0);
  EXPECT_EQ(Run(R"(Calc("n = 0"))"), "string:TRUE");
  EXPECT_EQ(Value("n"), "integer:0");
}

}  // namespace
}  // namespace rivo

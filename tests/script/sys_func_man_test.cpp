// TSysFuncMan: how calls reach function bodies, and what calls that cannot
// run give.

#include <gtest/gtest.h>

#include <set>

#include "script/function_table.h"
#include "script/typed_params.h"
#include "system_function_fixture.h"

namespace rivo {
namespace {

class SysFuncMan : public testing::SystemFunctionTest {};

// A call of function index with its fewest arguments, each the variable v.
std::string CallWithFewestArguments(int32_t index) {
  const FunctionInfo* info = FunctionAt(index);
  std::string text = std::string(info->name) + "(";
  for (int32_t k = 0; k < info->min_args; ++k) text += k ? ", v" : "v";
  return text + ")";
}

TEST_F(SysFuncMan, CompilingChecksNamesAndArgumentCounts) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"Length()", "Length 引数の数が不正です"},
      {"Length(1, 2)", "Length 引数の数が不正です"},
      {"IntToStr(1, 2, 3)", "IntToStr 引数の数が不正です"},
      {"SetArray(a)", "SetArray 引数の数が不正です"},
      {"DBDirectGetInt(1, 2, 3, 4, 5, 6)", "DBDirectGetInt 引数の数が不正です"},
      {"NoSuch(1)", "\"NoSuch\" 関数名がありません"},
      {"length(1)", "\"length\" 関数名がありません"},
  };
  for (const Case& c : cases) {
    TRivoParser parser;
    try {
      CompileExpression(c.text, parser);
      ADD_FAILURE() << c.text << " compiled";
    } catch (const RivoError& e) {
      EXPECT_EQ(std::string(e.what()), c.error) << c.text;
    }
  }
  // No upper limit, and none at all.
  Var("a", PT_INT);
  EXPECT_EQ(Run("SetArray(a, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2)"), "integer:0");
  EXPECT_EQ(Run("GetArraySize(a)"), "integer:2");
  EXPECT_EQ(Run("DBInsert()"), "flag:FALSE");
}

TEST_F(SysFuncMan, FunctionsThatNeedObjectsScreensOrSavesFailAsIfTheyDidNotExist) {
  const std::set<std::string> waiting = {
      "SetProp",         "Exists",        "GetCheck",         "SetCheck",           "GetSaveCaption",
      "ListCompo",       "ToClientX",     "ToClientY",        "ToScreenX",          "ToScreenY",
      "IndexOfMenu",     "SetWallPaper",   "GetEnabled",
      "SetEnabled",      "ListSaveCaption", "OpenUrl",        "SaveScreen",         "GetVisible",
      "SetVisible",      "GetHistoryCount", "GetHistoryMaxCount", "SetHistoryMaxCount", "GetGroupIndex",
      "GetSelected",     "SetSelected",
  };
  Var("v", PT_STR, "1");
  for (int32_t index = 0; index < kFunctionCount; ++index) {
    std::string name = FunctionAt(index)->name;
    if (name == "GetProp") continue;  // its result kind needs a property id first
    std::string missing = "\"" + name + "\" 関数名がありません";
    Run(CallWithFewestArguments(index));
    if (waiting.count(name)) EXPECT_EQ(last_error, missing) << name;
    else EXPECT_NE(last_error, missing) << name;
  }
  EXPECT_EQ(Run("GetProp(v, 1)"), "none");
  EXPECT_EQ(last_error, "\"GetProp\" 関数名がありません");
}

TEST_F(SysFuncMan, AnIndexBeyondTheTableDoesNothing) {
  TParamInt dest;
  dest.SetInt(5);
  TParamInt arg;
  TCustomParam* args[] = {&arg};
  functions.Call(dest, kFunctionCount, 0, args);
  functions.Call(dest, 255, 0, args);
  EXPECT_EQ(dest.AsInt(), 5);
}

TEST_F(SysFuncMan, VarArgumentsWriteIntoTheVariablesNamed) {
  Var("t", PT_FLOAT).SetFloat(36526.75L);
  Var("y", PT_INT);
  Var("m", PT_STR);
  Var("d", PT_FLOAT);
  EXPECT_EQ(Run("DecodeDate(t, y, m, d)"), "integer:0");
  EXPECT_EQ(Value("y") + " " + Value("m") + " " + Value("d"), "integer:2000 string:1 real:1");
  // An argument that is an expression (an array element among them) is
  // computed into a temporary first: the write goes there, not further.
  Var("a", PT_INT);
  Run("SetArray(a, 3)");
  EXPECT_EQ(Run("DecodeDate(t, a[0], y + 0, 3)"), "integer:0");
  EXPECT_EQ(Value("a") + " " + Value("y"), "integer:[0,0,0] integer:2000");
}

TEST(SysFuncManLife, TheManagerIsTheStoresDispatcherWhileItLives) {
  TParamCollection store;
  {
    TSysFuncMan functions(store, nullptr, 1);
    EXPECT_EQ(store.Functions(), &functions);
    EXPECT_EQ(testing::Eval(store, "Length(\"abc\")"), "integer:3");
  }
  EXPECT_EQ(store.Functions(), nullptr);
  EXPECT_EQ(testing::Eval(store, "Length(\"abc\")"), "none");
}

}  // namespace
}  // namespace rivo

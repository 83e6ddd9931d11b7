// Running compiled expressions against the store: results, the kinds the
// temporaries take, arithmetic without undefined behaviour, function calls,
// and what a failed run leaves behind.

#include <gtest/gtest.h>

#include <functional>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "script/function_dispatcher.h"
#include "script/function_table.h"
#include "script/opcodes.h"
#include "script/param_collection.h"
#include "script/param_system.h"
#include "script_fixtures.h"

namespace rivo {
namespace {

using testing::Declare;
using testing::Eval;
using testing::ValueOf;

TEST(ExpressionEvaluation, GivesTheResultsOfTheLanguage) {
  struct Case {
    const char* text;
    const char* result;
  } cases[] = {
      {"1 + 2 * 3", "integer:7"},
      {"(1 + 2) * 3", "integer:9"},
      {"3 - -2", "integer:5"},
      {"-5", "integer:-5"},
      {"\"a\" ++ 1", "string:a1"},
      // Adding two texts adds them as integers into a text temporary.
      {"\"a\" + \"b\"", "string:0"},
      {"\"10\" + 5", "string:15"},
      {"7.0 / 2", "real:3.5"},
      {"7 / 2", "integer:3"},
      {"-7 / 2", "integer:-3"},
      {"-7 % 3", "integer:-1"},
      // The temporary takes the kind of the left operand.
      {"1 + 1.5", "integer:2"},
      {"1.5 + 1", "real:2.5"},
      {"\"2.5\" * 2", "integer:0"},
      {"1 < 2 == TRUE", "flag:TRUE"},
      {"2 < 1 == FALSE", "flag:TRUE"},
      {"\"a\" ++ 1 == 1", "string:aTRUE"},
      {"1 + 2 ++ 3", "string:33"},
      {"TRUE ++ FALSE", "string:TRUEFALSE"},
      {"\"x\" ++ 2.50", "string:x2.5"},
      {"6 & 3 | 8", "integer:10"},
      {"1 | 2 ^ 3", "integer:1"},
      {"1 << 4 + 1", "integer:32"},
      {"$FF + 1", "integer:256"},
      {"1e3 + 0.5", "real:1000.5"},
      {"\"b\" > \"a\"", "flag:TRUE"},
      {"\"B\" > \"a\"", "flag:FALSE"},
      {"\"abc\" == \"ABC\"", "flag:FALSE"},
      {"\"abc\" <= \"abd\"", "flag:TRUE"},
      {"TRUE > FALSE", "flag:TRUE"},
      {"TRUE == 5", "flag:TRUE"},
      {"1.5 > 1", "flag:TRUE"},
      {"1 == 1.5", "flag:TRUE"},
      {"2 <> 3", "flag:TRUE"},
      {"3 >= 3", "flag:TRUE"},
      {"2 <= 1", "flag:FALSE"},
      {"", "none"},
  };
  TParamCollection store;
  for (const Case& c : cases) EXPECT_EQ(Eval(store, c.text), c.result) << c.text;
}

TEST(ExpressionEvaluation, IntegerArithmeticWrapsAndEdgeCasesAreDefined) {
  struct Case {
    const char* text;
    const char* result;
  } cases[] = {
      {"2147483647 + 1", "integer:-2147483648"},
      {"$80000000 - 1", "integer:2147483647"},
      {"65536 * 65536", "integer:0"},
      {"$80000000 / -1", "integer:-2147483648"},
      {"$80000000 % -1", "integer:0"},
      {"-1 >> 28", "integer:15"},
      {"1 << -1", "integer:-2147483648"},
      {"1 << 33", "integer:2"},
      {"256 >> -28", "integer:16"},
      {"1 / 0", "none"},
      {"5 % 0", "none"},
      // Real division by zero and overflow raise as the run-time library does.
      {"1.0 / 0", "none"},
      {"0.0 / 0", "none"},
      {"1e4000 * 1e4000", "none"},
      {"1.0 / 4", "real:0.25"},
  };
  TParamCollection store;
  for (const Case& c : cases) EXPECT_EQ(Eval(store, c.text), c.result) << c.text;
}

TEST(ExpressionEvaluation, AssignmentsConvertToTheDestinationsKind) {
  TParamCollection store;
  Declare(store, "r", PT_FLOAT);
  Declare(store, "i", PT_INT);
  Declare(store, "f", PT_BOOL);
  Declare(store, "s", PT_STR);
  struct Case {
    const char* text;
    const char* variable;
    const char* value;
  } cases[] = {
      {"r = 7 / 2", "r", "real:3"},
      {"r = 7.0 / 2", "r", "real:3.5"},
      {"i = 2.9", "i", "integer:2"},
      {"i = -2.9", "i", "integer:-2"},
      {"i = \"12\"", "i", "integer:12"},
      {"f = \"true\"", "f", "flag:FALSE"},
      {"f = \"TRUE\"", "f", "flag:TRUE"},
      {"s = \"a\" ++ 1", "s", "string:a1"},
      {"s = \"a\" + \"b\"", "s", "string:0"},
      {"s = 1 / 3.0", "s", "string:0"},
      {"s = 1.0 / 3", "s", "string:0.333333333333333"},
      {"i = i + 1", "i", "integer:13"},
      {"x = -5", "x", "absent"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Eval(store, c.text), "none") << "an assignment has no result: " << c.text;
    EXPECT_EQ(ValueOf(store, c.variable), c.value) << c.text;
  }
}

TEST(ExpressionEvaluation, ArrayElementsAreReadAndWrittenInPlace) {
  TParamCollection store;
  TParamCollectionItem& a = Declare(store, "a", PT_INT);
  int32_t sizes[] = {2, 3};
  a.Param().SetDims(sizes);
  Declare(store, "b", PT_STR);
  Eval(store, "a[1, 2] = 5");
  EXPECT_EQ(a.Param().GetIntAt(5), 5);
  EXPECT_EQ(a.Param().GetCount(), 6);
  EXPECT_EQ(Eval(store, "a[1, 2] * 2"), "integer:10");
  EXPECT_EQ(Eval(store, "a[0, 1 + 1] + a[1,2]"), "integer:5");
  Eval(store, "b = a[1, 2] ++ \"!\"");
  EXPECT_EQ(ValueOf(store, "b"), "string:5!");
  EXPECT_EQ(Eval(store, "a[2, 0]"), "none");
  EXPECT_EQ(Eval(store, "a[1]"), "none");
  EXPECT_EQ(Eval(store, "nothing[0]"), "none");
  // A scalar assignment to the whole array makes it a scalar.
  Eval(store, "a = 3");
  EXPECT_EQ(a.Param().GetCount(), 1);
  EXPECT_EQ(ValueOf(store, "a"), "integer:3");
}

TEST(ExpressionEvaluation, AFailedRunKeepsWhatItAssignedAndLeavesNoResult) {
  TParamCollection store;
  Declare(store, "a", PT_INT, "1");
  Declare(store, "b", PT_INT, "2");
  EXPECT_EQ(Eval(store, "b = missing + 1"), "none");
  EXPECT_EQ(ValueOf(store, "b"), "integer:2");

  // Hand-made: a = 7, then an operation on an absent variable, then ____arg.
  ByteWriter out;
  out.I32(3);
  for (auto [dest, source] : {std::pair{"a", "7"}, std::pair{"b", "missing"}, std::pair{"____arg", "a"}}) {
    out.U8(ocTo);
    out.String(dest);
    out.I32(1);
    if (source[0] == '7') {
      out.U8(PT_INT);
      out.I32(7);
    } else {
      out.U8(PT_NONE);
      out.String(source);
    }
  }
  TRivoParser parser;
  ByteReader in(out.data(), "page.rsb");
  parser.LoadFromStream(in);
  parser.Evaluate(store);
  EXPECT_EQ(ValueOf(store, "a"), "integer:7");
  EXPECT_EQ(parser.Result(), nullptr);
  EXPECT_EQ(parser.LastError(), "\"missing\" 変数がありません");
}

TEST(ExpressionEvaluation, NoTemporaryEverReachesTheStore) {
  TParamCollection store;
  Declare(store, "a", PT_INT, "4");
  int32_t count = store.Count();
  for (const char* text : {"a + 2 * (3 - a) ++ \"x\"", "a = a * 2", "a / 0", "missing", "a[9]", "IntToStr(a)"}) {
    Eval(store, text);
    EXPECT_EQ(store.Count(), count) << text;
  }
  EXPECT_EQ(store.Find("____0"), nullptr);
  EXPECT_EQ(store.Find("____arg"), nullptr);
}

TEST(ExpressionEvaluation, AVariableNamedLikeATemporaryIsLeftAlone) {
  TParamCollection store;
  Declare(store, "____0", PT_STR, "mine");
  EXPECT_EQ(Eval(store, "1 + 2 * 3"), "integer:7");
  EXPECT_EQ(ValueOf(store, "____0"), "string:mine");
  // The literal's temporary is the run's own ____0, not the variable.
  EXPECT_EQ(Eval(store, "____0 ++ \"!\""), "string:!!");
}

TEST(ExpressionEvaluation, LookupsFollowChangesOfTheStore) {
  TParamCollection store;
  TRivoParser parser;
  CompileExpression("x * 10", parser);
  Declare(store, "x", PT_INT, "1");
  parser.Evaluate(store);
  EXPECT_EQ(testing::Show(parser.Result()), "integer:10");
  store.Delete(*store.Find("x"));
  parser.Evaluate(store);
  EXPECT_EQ(parser.Result(), nullptr);
  Declare(store, "x", PT_FLOAT, "0.5");
  parser.Evaluate(store);
  EXPECT_EQ(testing::Show(parser.Result()), "real:5");
  store.SetCurrentDepth(3);
  Declare(store, "x", PT_INT, "3", VS_LOCAL);
  parser.Evaluate(store);
  EXPECT_EQ(testing::Show(parser.Result()), "integer:30");
  store.SetCurrentDepth(2);
  parser.Evaluate(store);
  EXPECT_EQ(testing::Show(parser.Result()), "real:5");

  TParamCollection other;
  Declare(other, "x", PT_INT, "7");
  parser.Evaluate(other);
  EXPECT_EQ(testing::Show(parser.Result()), "integer:70");
}

TEST(ExpressionEvaluation, ALiteralAloneGivesItselfOnEveryRunUntilTheExpressionIsReplaced) {
  TParamCollection store;
  // A string literal, and a group, pass through a temporary of their own on the way.
  for (auto [text, shown] : {std::pair{"42", "integer:42"}, {"2.5", "real:2.5"}, {"\"abc\"", "string:abc"},
                             {"(\"abc\")", "string:abc"}, {"(7)", "integer:7"}, {"\"\"", "string:"}}) {
    TRivoParser parser;
    CompileExpression(text, parser);
    EXPECT_EQ(parser.Result(), nullptr) << text << ": nothing before the first run";
    for (int run = 0; run < 2; ++run) {
      parser.Evaluate(store);
      EXPECT_EQ(testing::Show(parser.Result()), shown) << text;
      EXPECT_EQ(parser.LastError(), "") << text;
    }
    TRivoParser other;
    CompileExpression("missing * 2", other);
    parser.Assign(other);
    EXPECT_EQ(parser.Result(), nullptr) << text << ": the new expression has not run";
    parser.Evaluate(store);
    EXPECT_EQ(parser.Result(), nullptr) << text;
  }
}

// Runs the functions a test gives it.
class TestFunctions : public FunctionDispatcher {
 public:
  using Body = std::function<void(TCustomParam& dest, std::span<TCustomParam* const> args)>;
  std::map<std::string, Body> bodies;
  std::vector<std::string> calls;

  void Call(TCustomParam& dest, int32_t index, int32_t last_arg_index, std::span<TCustomParam* const> args) override {
    std::string name = FunctionAt(index)->name;
    calls.push_back(name + "/" + std::to_string(last_arg_index) + "/" + std::to_string(dest.GetKind()));
    auto body = bodies.find(name);
    if (body == bodies.end()) throw RivoError("\"%s\" 関数名がありません", name);
    body->second(dest, args);
  }
};

TEST(ExpressionEvaluation, FunctionsGetTheirResultKindAndTheirArguments) {
  TParamCollection store;
  TestFunctions functions;
  store.SetFunctions(&functions);
  functions.bodies["Length"] = [](TCustomParam& dest, auto args) {
    dest.SetInt(static_cast<int32_t>(args[0]->AsStr().size()));
  };
  functions.bodies["IntToStr"] = [](TCustomParam& dest, auto args) { dest.SetStr(args[0]->AsStr()); };
  functions.bodies["Delete"] = [](TCustomParam&, auto args) {
    // A var argument: it is a reference to the variable named.
    EXPECT_EQ(args[0]->ClassKind(), PT_NONE);
    args[0]->SetStr(args[0]->AsStr().substr(2));
  };
  functions.bodies["GetProp"] = [](TCustomParam&, auto) {};
  Declare(store, "s", PT_STR, "hello");

  EXPECT_EQ(Eval(store, "IntToStr(Length(s) * 2)"), "string:10");
  EXPECT_EQ(functions.calls, (std::vector<std::string>{"Length/0/1", "IntToStr/0/4"})) << "inner calls first";
  functions.calls.clear();

  Eval(store, "Delete(s, 1, 2)");
  EXPECT_EQ(ValueOf(store, "s"), "string:llo");
  EXPECT_EQ(functions.calls, std::vector<std::string>{"Delete/2/4"});

  // "GetProp" makes a temporary of the property's kind; the destination
  // keeps its initial value when the body writes nothing.
  EXPECT_EQ(Eval(store, "GetProp(\"obj\", 95)"), "real:0");
  EXPECT_EQ(Eval(store, "GetProp(\"obj\", 0)"), "string:");
  EXPECT_EQ(Eval(store, "GetProp(\"obj\", 47)"), "flag:FALSE");
  TRivoParser parser;
  CompileExpression("GetProp(\"obj\", 163)", parser);
  parser.Evaluate(store);
  EXPECT_EQ(parser.Result(), nullptr);
  EXPECT_EQ(parser.LastError(), "GetPropの引数が違います");

  // A function without a body fails like an unknown one.
  CompileExpression("Abs(-1)", parser);
  parser.Evaluate(store);
  EXPECT_EQ(parser.LastError(), "\"Abs\" 関数名がありません");
  store.SetFunctions(nullptr);
  EXPECT_EQ(Eval(store, "Length(s)"), "none");
}

TEST(ExpressionEvaluation, ANestedRunDoesNotTouchTheTemporariesOfTheRunThatCalledIt) {
  TParamCollection store;
  TestFunctions functions;
  store.SetFunctions(&functions);
  functions.bodies["Calc"] = [&](TCustomParam& dest, auto args) {
    TRivoParser inner;
    CompileExpression(args[0]->AsStr(), inner);
    inner.Evaluate(store);
    dest.SetStr("TRUE");
  };
  Declare(store, "s", PT_STR);
  Declare(store, "y", PT_STR);
  // Outer: ____0 := "keep" before the call; the inner text's own ____0 := 1 ++ 2.
  Eval(store, "s = \"keep\" ++ Calc(\"y = 1 ++ 2\")");
  EXPECT_EQ(ValueOf(store, "y"), "string:12");
  EXPECT_EQ(ValueOf(store, "s"), "string:keepTRUE");
  EXPECT_EQ(store.Count(), kSystemVariableCount + 2);

  // The same compiled expression run again from inside its own run.
  TRivoParser outer;
  int depth = 0;
  functions.bodies["Abs"] = [&](TCustomParam& dest, auto args) {
    if (++depth == 1) {
      outer.Evaluate(store);
      dest.SetInt(100 + static_cast<int32_t>(testing::Show(outer.Result()).size()));
    } else {
      dest.SetInt(args[0]->AsInt());
    }
  };
  CompileExpression("Abs(5) + 1", outer);
  outer.Evaluate(store);
  // The inner run gave "integer:6" (9 characters): 100 + 9, plus 1.
  EXPECT_EQ(testing::Show(outer.Result()), "integer:110");
}

TEST(ExpressionEvaluation, BadOperationsAreRunTimeErrors) {
  ByteWriter out;
  out.I32(1);
  out.U8(0);  // ocNone
  out.String("____0");
  out.I32(1);
  out.U8(PT_STR);
  out.String("op");
  TRivoParser parser;
  ByteReader in(out.data(), "page.rsb");
  parser.LoadFromStream(in);
  TParamCollection store;
  parser.Evaluate(store);
  EXPECT_EQ(parser.LastError(), "不正な式\r\n\r\n代入先:____0演算タイプ:ocNone\r\nop");
}

TEST(ExpressionEvaluation, DamagedCompiledFormsGiveLoadErrors) {
  auto form = [](std::function<void(ByteWriter&)> write) {
    ByteWriter out;
    write(out);
    return out.Take();
  };
  auto operation = [](ByteWriter& out, uint8_t opcode, int32_t operands) {
    out.U8(opcode);
    out.String("____0");
    out.I32(operands);
  };
  std::string cases[] = {
      form([](ByteWriter& out) { out.I32(1000000); }),
      form([](ByteWriter& out) { out.I32(-1); }),
      form([&](ByteWriter& out) {
        out.I32(1);
        operation(out, ocTo, 1);
        out.U8(5);  // no such operand type
        out.I32(0);
      }),
      form([&](ByteWriter& out) {
        out.I32(1);
        operation(out, ocFunc, 0);
        out.U8(148);  // no such function
      }),
      form([&](ByteWriter& out) {
        out.I32(1);
        operation(out, ocPlus, 1);  // needs two operands
        out.U8(PT_INT);
        out.I32(1);
      }),
      form([&](ByteWriter& out) {
        out.I32(1);
        operation(out, ocFunc, 0);
        out.U8(0);  // "IntToStr" needs at least one argument
      }),
      form([&](ByteWriter& out) {
        out.I32(1);
        operation(out, ocDimTo, 1);
        out.U8(PT_NONE);
        out.String("a");
      }),
      form([&](ByteWriter& out) {
        out.I32(1);
        operation(out, ocTo, 0x7FFFFFFF);
      }),
      form([&](ByteWriter& out) {
        out.I32(1);
        operation(out, ocTo, 1);
        out.U8(PT_FLOAT);
        out.I32(0);  // a real needs ten bytes
      }),
  };
  for (const std::string& bytes : cases) {
    TRivoParser parser;
    CompileExpression("1 + 1", parser);
    ByteReader in(bytes, "page.rsb");
    EXPECT_THROW(parser.LoadFromStream(in), LoadError);
    TParamCollection store;
    parser.Evaluate(store);
    EXPECT_EQ(testing::Show(parser.Result()), "integer:2") << "a failed load keeps the expression";
  }
}

}  // namespace
}  // namespace rivo

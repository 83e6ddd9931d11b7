#pragma once
// A variable store with the system functions installed, and expressions
// written in UTF-8 (converted to the engine's CP932) run against it.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "common/encoding.h"
#include "script/build_rivo_parser.h"
#include "script/kind_words.h"
#include "script/param_collection.h"
#include "script/rivo_parser.h"
#include "script/sys_func_man.h"
#include "script_fixtures.h"

namespace rivo::testing {

// "kind:value" in UTF-8; an array shows its elements as "kind:[a,b]".
inline std::string ShowUtf8(const TCustomParam* value) { return DescribeValue(value); }

class SystemFunctionTest : public ::testing::Test {
 protected:
  // Runs one expression; the result as ShowUtf8 gives it. The error that
  // stopped the run, if any, is left in last_error.
  std::string Run(std::string_view utf8) {
    TRivoParser parser;
    CompileExpression(Utf8ToCp932(utf8), parser);
    parser.Evaluate(store);
    last_error = parser.LastError();
    return ShowUtf8(parser.Result());
  }
  // Declares a global variable holding value (UTF-8 text, converted to its kind).
  TCustomParam& Var(const std::string& name, uint8_t kind, std::string_view utf8 = "") {
    return Declare(store, name, kind, Utf8ToCp932(utf8)).Param();
  }
  std::string Value(const std::string& name) {
    TParamCollectionItem* item = store.Find(name);
    return item ? ShowUtf8(&item->Param()) : "absent";
  }

  TParamCollection store;
  TSysFuncMan functions{store, nullptr, 1};
  std::string last_error;
};

// One expression and what it gives.
struct FunctionCase {
  const char* expression;  // UTF-8
  const char* expected;    // as ShowUtf8 gives it
};

// Runs each case in a fresh fixture state (the variables stay as declared).
#define EXPECT_FUNCTION_CASES(cases)                                         \
  for (const FunctionCase& c : cases) {                                      \
    EXPECT_EQ(Run(c.expression), c.expected) << c.expression << " " << last_error; \
  }

}  // namespace rivo::testing

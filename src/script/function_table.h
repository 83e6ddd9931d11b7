#pragma once
// The system functions expressions can call: number, name (matched
// case-sensitively), how many arguments each takes and the kind of its
// result. The compiler checks calls against it and the evaluator makes each
// call's result temporary of the kind given here.

#include <cstdint>
#include <string_view>

#include "script/param_kind.h"

namespace rivo {

constexpr int32_t kFunctionCount = 148;
// The function whose result kind is that of the property it reads.
constexpr int32_t kGetPropFunction = 2;

struct FunctionInfo {
  const char* name;
  int32_t min_args;
  int32_t max_args;  // -1: no limit
  uint8_t result;    // PT_INT .. PT_STR; PT_NONE for "GetProp"
};

// nullptr outside 0..147.
const FunctionInfo* FunctionAt(int32_t index);
// The number of the function of exactly that name, or -1.
int32_t FindFunction(std::string_view name);
// Raises what a call of a function that has no body raises, the error of
// an unknown function name: "\"name\" 関数名がありません".
[[noreturn]] void ThrowMissingFunction(int32_t index);

}  // namespace rivo

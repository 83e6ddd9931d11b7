#pragma once
// The kind code of a value: one byte, the same in value objects, compiled
// expressions and saved variables.

#include <cstdint>

namespace rivo {

enum TParamKind : uint8_t {
  PT_NONE = 0,   // a reference to another variable (TParamVar)
  PT_INT = 1,    // 32-bit integer (TParamInt)
  PT_FLOAT = 2,  // 80-bit real (TParamFloat)
  PT_BOOL = 3,   // flag (TParamFlag)
  PT_STR = 4,    // code page 932 string (TParamStr)
};

constexpr bool IsValueKind(uint8_t kind) { return kind >= PT_INT && kind <= PT_STR; }

}  // namespace rivo

#pragma once
// Integer and real arithmetic with the results of the original platform,
// defined for every input (no undefined behaviour on overflow, INT_MIN / -1,
// large shifts or NaN).

#include <cstdint>

namespace rivo {

// 32-bit arithmetic that wraps around like the machine does.
constexpr int32_t WrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
constexpr int32_t WrapSub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
constexpr int32_t WrapMul(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
constexpr int32_t WrapNeg(int32_t a) { return static_cast<int32_t>(0u - static_cast<uint32_t>(a)); }

// Truncating division and remainder (the remainder takes the sign of a).
// b must not be 0 (callers raise their own error); INT32_MIN / -1 wraps to
// INT32_MIN and INT32_MIN mod -1 is 0.
constexpr int32_t Div(int32_t a, int32_t b) { return b == -1 ? WrapNeg(a) : a / b; }
constexpr int32_t Mod(int32_t a, int32_t b) { return b == -1 ? 0 : a % b; }

// Shifts take the count modulo 32, as the processor does; shr is logical.
constexpr int32_t Shl(int32_t a, int32_t count) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) << (static_cast<uint32_t>(count) & 31));
}
constexpr int32_t Shr(int32_t a, int32_t count) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) >> (static_cast<uint32_t>(count) & 31));
}

// The low 32 bits of a 64-bit integer (what storing into a 32-bit variable keeps).
constexpr int32_t Low32(int64_t v) { return static_cast<int32_t>(static_cast<uint64_t>(v)); }

// Round to nearest with halves to even. NaN, infinities and values outside
// the 64-bit range give INT64_MIN, the processor's "integer indefinite".
int64_t Round(long double x);
// Toward zero, with the same rule for values that do not fit.
int64_t Trunc(long double x);

// Conversions to a 32-bit integer keep the low 32 bits of the 64-bit result.
inline int32_t RoundToInt32(long double x) { return Low32(Round(x)); }
inline int32_t TruncToInt32(long double x) { return Low32(Trunc(x)); }

}  // namespace rivo

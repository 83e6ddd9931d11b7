#pragma once
// How a value of one kind reads as another. Every conversion between
// integers, reals, flags and strings in the script engine goes through here,
// so that a variable, a literal and a system variable all convert alike.

#include <cstdint>
#include <string>
#include <string_view>

namespace rivo {

// Toward zero, keeping the low 32 bits; NaN, infinities and values beyond
// the 64-bit range give 0.
int32_t RealToInt(long double value);
// The shortest general form with 15 significant digits, '.' as the point.
std::string RealToText(long double value);
std::string IntToText(int32_t value);
inline const char* BoolToText(bool value) { return value ? "TRUE" : "FALSE"; }

// 0 (0.0) when the text is not a number.
int32_t TextToInt(std::string_view text);
long double TextToReal(std::string_view text);
// Only the exact word "TRUE" is true; "true" is not.
inline bool TextToBool(std::string_view text) { return text == "TRUE"; }

}  // namespace rivo

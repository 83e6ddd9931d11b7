#pragma once
// Numbers as text, the same in every locale: '.' is the decimal point.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rivo {

std::string IntToStr(int64_t v);

// The shortest general form with at most `digits` significant digits:
// fixed notation unless the decimal exponent is above `digits` or below -4,
// then "d.dddE[-]x" ("1E15", "1.5E-7"); "INF", "-INF" and "NAN" otherwise.
std::string FloatToStr(long double v, int digits = 15);

// Decimal integer text with optional sign and surrounding blanks, or "$" /
// "0x" hexadecimal; nullopt when the text is not such a number or does not fit.
std::optional<int32_t> ParseInt32(std::string_view text);
// A decimal real ("1.5", "-2e3", ".5"), or nullopt.
std::optional<long double> ParseReal(std::string_view text);

}  // namespace rivo

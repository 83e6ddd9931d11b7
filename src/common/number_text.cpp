#include "common/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rivo {

std::string IntToStr(int64_t v) { return std::to_string(v); }

std::string FloatToStr(long double v, int digits) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  if (v == 0) return "0";

  // "%.*Le" gives d.ddddde[+-]x, correctly rounded to `digits` significant
  // digits; only the digits and the exponent are used, never the locale's point.
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*Le", digits - 1, v);
  std::string text(buffer);
  bool negative = text[0] == '-';
  std::size_t e_at = text.find_first_of("eE");
  int exponent = std::atoi(text.c_str() + e_at + 1);
  std::string mantissa;
  for (std::size_t i = negative ? 1 : 0; i < e_at; ++i)
    if (text[i] >= '0' && text[i] <= '9') mantissa += text[i];
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent >= digits || exponent < -4) {
    out += mantissa[0];
    if (mantissa.size() > 1) out += "." + mantissa.substr(1);
    out += "E" + std::to_string(exponent);
  } else if (exponent >= 0) {
    std::size_t whole = static_cast<std::size_t>(exponent) + 1;
    if (mantissa.size() <= whole) {
      out += mantissa + std::string(whole - mantissa.size(), '0');
    } else {
      out += mantissa.substr(0, whole) + "." + mantissa.substr(whole);
    }
  } else {
    out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
  }
  return out;
}

namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::optional<int32_t> ParseInt32(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s[0] == '$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return std::nullopt;
  uint64_t value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  // Hexadecimal text may spell the full 32-bit pattern ($FFFFFFFF is -1).
  uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  if (value > limit) return std::nullopt;
  uint32_t bits = static_cast<uint32_t>(value);
  if (negative) bits = 0u - bits;
  return static_cast<int32_t>(bits);
}

std::optional<long double> ParseReal(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  // Only digits, one point and an exponent: no "inf", "nan" or hexadecimal.
  if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s[0])) || s[0] == '.')) return std::nullopt;
  long double value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) return std::nullopt;
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return negative ? -value : value;
}

}  // namespace rivo

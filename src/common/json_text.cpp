#include "common/json_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/encoding.h"

namespace rivo {

std::string JsonString(std::string_view cp932) {
  std::string out = "\"";
  for (char c : Cp932ToUtf8(cp932)) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", c);
          out += escape;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string JsonReal(long double value) {
  if (!std::isfinite(value)) return "null";
  char text[64];
  for (int digits = 1; digits <= 21; ++digits) {
    std::snprintf(text, sizeof text, "%.*Lg", digits, value);
    if (std::strtold(text, nullptr) == value) break;
  }
  return text;
}

}  // namespace rivo

#include "scenario/source_text.h"

#include <cstdio>

#include "common/encoding.h"
#include "common/sjis.h"

namespace rivo {

std::string QuoteCp932(std::string_view s) {
  std::string out = "\"";
  for (std::size_t i = 0; i < s.size();) {
    std::size_t size = sjis::CharSize(s, i);
    std::string_view c = s.substr(i, size);
    i += size;
    if (size == 1) {
      switch (c[0]) {
        case '"': out += "\\\""; continue;
        case '\\': out += "\\\\"; continue;
        case '\r': out += "\\r"; continue;
        case '\n': out += "\\n"; continue;
        case '\t': out += "\\t"; continue;
        default: break;
      }
    }
    std::string utf8 = Cp932ToUtf8(c);
    bool exact = Utf8ToCp932(utf8) == c && !(size == 1 && static_cast<unsigned char>(c[0]) < 0x20);
    if (exact) {
      out += utf8;
      continue;
    }
    for (char byte : c) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(byte));
      out += hex;
    }
  }
  return out + "\"";
}

std::optional<std::string> PlainUtf8(std::string_view cp932) {
  for (char c : cp932)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::nullopt;
  std::string utf8 = Cp932ToUtf8(cp932);
  if (Utf8ToCp932(utf8) != cp932) return std::nullopt;
  return utf8;
}

std::string StringField(std::string_view cp932) {
  std::optional<std::string> plain = PlainUtf8(cp932);
  if (!plain || plain->empty() || plain->front() == '"' || plain->front() == ' ' || plain->back() == ' ')
    return cp932.empty() ? std::string() : QuoteCp932(cp932);
  return *plain;
}

std::optional<std::string> UnquoteCp932(std::string_view text, std::size_t& pos) {
  if (pos >= text.size() || text[pos] != '"') return std::nullopt;
  std::string out, run;  // run: UTF-8 not yet converted
  auto flush = [&] {
    out += Utf8ToCp932(run);
    run.clear();
  };
  for (std::size_t i = pos + 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      flush();
      pos = i + 1;
      return out;
    }
    if (c != '\\') {
      run += c;
      continue;
    }
    if (++i >= text.size()) return std::nullopt;
    flush();
    switch (text[i]) {
      case '"': out += '"'; break;
      case '\\': out += '\\'; break;
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'x': {
        if (i + 2 >= text.size()) return std::nullopt;
        unsigned value = 0;
        if (std::sscanf(std::string(text.substr(i + 1, 2)).c_str(), "%2x", &value) != 1) return std::nullopt;
        out += static_cast<char>(value);
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return std::nullopt;
}

std::optional<std::string> ParseStringField(std::string_view utf8) {
  if (utf8.empty() || utf8.front() != '"') return Utf8ToCp932(utf8);
  std::size_t pos = 0;
  std::optional<std::string> value = UnquoteCp932(utf8, pos);
  if (!value || pos != utf8.size()) return std::nullopt;
  return value;
}

}  // namespace rivo

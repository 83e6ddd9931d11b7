#include "common/sjis_escape.h"

#include "common/sjis.h"

namespace rivo::sjis {

std::string UnescapeBackslashes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t size = CharSize(text, i);
    if (size == 1 && text[i] == '\\' && i + 1 < text.size()) {
      char next = text[i + 1];
      if (next == '"' || next == '\\') {
        out += next;
        i += 2;
        continue;
      }
      if (next == 'n') {
        out += "\r\n";
        i += 2;
        continue;
      }
    }
    out.append(text.substr(i, size));
    i += size;
  }
  return out;
}

}  // namespace rivo::sjis

#pragma once
// Compact views of glyph lists for table-driven tests.

#include <string>

#include "text/qn_word.h"

namespace rivo::test {

// One item per glyph, joined with '|': a character as its bytes; "align1",
// "br", "clear", "indent", "undent", "event:VALUE" (with "!" when End),
// "var:NAME", "img:SOURCE@ALIGN".
inline std::string Summary(const TQnWord& word) {
  std::string out;
  for (int32_t i = 0; i < word.Count(); ++i) {
    if (i) out += '|';
    const TWdGlyph& g = word[i];
    switch (g.Kind()) {
      case GK_CHAR: {
        uint16_t code = static_cast<const TWdChar&>(g).Code;
        if (code > 0xFF) out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
        break;
      }
      case GK_ALIGN: out += "align" + std::to_string(static_cast<const TWdOpeAlign&>(g).Align); break;
      case GK_RETURN: out += static_cast<const TWdOpeReturn&>(g).Clear ? "clear" : "br"; break;
      case GK_INDENT: out += "indent"; break;
      case GK_UNDENT: out += "undent"; break;
      case GK_EVENT: {
        const auto& e = static_cast<const TWdOpeEvent&>(g);
        out += "event:" + e.Value + (e.End ? "!" : "");
        break;
      }
      case GK_VAR: out += "var:" + static_cast<const TWdOpeVar&>(g).Name; break;
      case GK_IMG: {
        const auto& m = static_cast<const TWdImg&>(g);
        out += "img:" + m.Source + "@" + std::to_string(m.Align);
        break;
      }
    }
  }
  return out;
}

inline const TWdChar& CharAt(const TQnWord& word, int32_t index) { return dynamic_cast<const TWdChar&>(word[index]); }

}  // namespace rivo::test

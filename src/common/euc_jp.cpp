#include "common/euc_jp.h"

namespace rivo {

namespace {
bool IsEucByte(unsigned char c) { return c >= 0xA1 && c <= 0xFE; }
}  // namespace

std::string EucJpToCp932(std::string_view euc) {
  std::string out;
  out.reserve(euc.size());
  const std::size_t n = euc.size();
  for (std::size_t i = 0; i < n;) {
    const auto c = static_cast<unsigned char>(euc[i]);
    if (c == 0x8E) {  // half-width katakana
      if (i + 1 >= n) break;
      out += euc[i + 1];
      i += 2;
    } else if (c == 0x8F) {  // JIS X 0212: nothing in CP932
      if (i + 2 >= n) break;
      out += '?';
      i += 3;
    } else if (IsEucByte(c)) {
      if (i + 1 >= n) break;
      const unsigned j1 = c - 0x80u, j2 = static_cast<unsigned char>(euc[i + 1]) - 0x80u;
      const unsigned s1 = ((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0);
      const unsigned s2 = j2 + ((j1 & 1) ? (j2 >= 0x60 ? 0x20 : 0x1F) : 0x7E);
      out += static_cast<char>(s1);
      out += static_cast<char>(s2);
      i += 2;
    } else {
      out += static_cast<char>(c);
      ++i;
    }
  }
  return out;
}

}  // namespace rivo

#include "script/cp932_case.h"

#include <cstdint>

#include "common/sjis.h"

namespace rivo {

namespace {

// The double-byte letter ranges: upper-case codes first..first+count-1 and
// their lower-case partners. Cyrillic lower case skips 0x847F, which is no
// character (0x7F is never a trail byte).
constexpr uint16_t kLatinUpper = 0x8260, kLatinLower = 0x8281, kLatinCount = 26;
constexpr uint16_t kGreekUpper = 0x839F, kGreekLower = 0x83BF, kGreekCount = 24;
constexpr uint16_t kCyrillicUpper = 0x8440, kCyrillicLower = 0x8470, kCyrillicCount = 33;
constexpr uint16_t kCyrillicGap = 0x847F;

uint16_t CyrillicLowerAt(uint16_t index) { return kCyrillicLower + index + (kCyrillicLower + index >= kCyrillicGap); }

uint16_t ToUpper(uint16_t code) {
  if (code >= kLatinLower && code < kLatinLower + kLatinCount) return code - kLatinLower + kLatinUpper;
  if (code >= kGreekLower && code < kGreekLower + kGreekCount) return code - kGreekLower + kGreekUpper;
  if (code >= kCyrillicLower && code <= CyrillicLowerAt(kCyrillicCount - 1) && code != kCyrillicGap)
    return kCyrillicUpper + (code - kCyrillicLower) - (code > kCyrillicGap);
  return code;
}

uint16_t ToLower(uint16_t code) {
  if (code >= kLatinUpper && code < kLatinUpper + kLatinCount) return code - kLatinUpper + kLatinLower;
  if (code >= kGreekUpper && code < kGreekUpper + kGreekCount) return code - kGreekUpper + kGreekLower;
  if (code >= kCyrillicUpper && code < kCyrillicUpper + kCyrillicCount) return CyrillicLowerAt(code - kCyrillicUpper);
  return code;
}

template <typename Fold>
std::string FoldCase(std::string_view s, char single_first, char single_last, int single_shift, Fold fold) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size();) {
    std::size_t n = sjis::CharSize(out, i);
    if (n == 1) {
      if (out[i] >= single_first && out[i] <= single_last) out[i] = static_cast<char>(out[i] + single_shift);
    } else {
      uint16_t code = fold(static_cast<uint16_t>(static_cast<unsigned char>(out[i]) << 8 |
                                                 static_cast<unsigned char>(out[i + 1])));
      out[i] = static_cast<char>(code >> 8);
      out[i + 1] = static_cast<char>(code & 0xFF);
    }
    i += n;
  }
  return out;
}

}  // namespace

std::string AnsiUpperCase(std::string_view s) { return FoldCase(s, 'a', 'z', 'A' - 'a', ToUpper); }

std::string AnsiLowerCase(std::string_view s) { return FoldCase(s, 'A', 'Z', 'a' - 'A', ToLower); }

}  // namespace rivo

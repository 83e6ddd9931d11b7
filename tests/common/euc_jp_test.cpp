// EUC-JP to CP932 by the JIS arithmetic, checked against iconv's CP932 for
// every JIS X 0208 character, plus katakana, ASCII and cut-off text.

#include "common/euc_jp.h"

#include <iconv.h>

#include <gtest/gtest.h>

namespace rivo {
namespace {

std::string IconvEucToCp932(iconv_t cd, const std::string& in) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string out(in.size() * 2 + 4, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t left = in.size(), room = out.size();
  char* dst = out.data();
  std::size_t r = iconv(cd, &src, &left, &dst, &room);
  if (r == static_cast<std::size_t>(-1)) return "<invalid>";
  out.resize(out.size() - room);
  return out;
}

TEST(EucJp, EveryJisCharacterConvertsAsWindowsDoes) {
  iconv_t cd = iconv_open("CP932", "EUC-JP");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  int checked = 0;
  for (int row = 0xA1; row <= 0xFE; ++row)
    for (int cell = 0xA1; cell <= 0xFE; ++cell) {
      std::string euc{static_cast<char>(row), static_cast<char>(cell)};
      std::string expected = IconvEucToCp932(cd, euc);
      // Only characters iconv maps one-to-one into the JIS rows are compared
      // (it sends a few to the NEC and IBM rows of CP932 instead).
      if (expected == "<invalid>" || expected.size() != 2) continue;
      if (static_cast<unsigned char>(expected[0]) >= 0xED && static_cast<unsigned char>(expected[0]) <= 0xEE) continue;
      if (static_cast<unsigned char>(expected[0]) >= 0xFA) continue;
      ASSERT_EQ(EucJpToCp932(euc), expected) << std::hex << row << " " << cell;
      ++checked;
    }
  iconv_close(cd);
  EXPECT_GT(checked, 6800);
}

TEST(EucJp, KatakanaAsciiAndCutOffText) {
  const std::pair<std::string, std::string> cases[] = {
      {"abc\r\n", "abc\r\n"},
      {"\x8E\xB1\x8E\xDF", "\xB1\xDF"},                // ｱﾟ
      {"\xA4\xA2\xB0\xA1", "\x82\xA0\x88\x9F"},        // あ亜
      {"\x8F\xB0\xA1x", "?x"},                          // JIS X 0212
      {"ok\xA4", "ok"}, {"ok\x8E", "ok"}, {"ok\x8F\xB0", "ok"},
  };
  for (const auto& [euc, cp932] : cases) EXPECT_EQ(EucJpToCp932(euc), cp932);
}

}  // namespace
}  // namespace rivo

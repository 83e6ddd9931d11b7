#include "common/encoding.h"

#include <gtest/gtest.h>

namespace rivo {
namespace {

TEST(Encoding, ConvertsCp932BothWays) {
  struct Case {
    std::string cp932, utf8;
  } cases[] = {
      {"abc", "abc"},
      {"\x83\x5C", "ソ"},
      {"\x95\x5C\x8E\xA6", "表示"},
      {"\x81\x60", "～"},       // wave dash as Windows maps it
      {"\x87\x40", "①"},        // NEC row
      {"\x5C", "\\"},           // a backslash, not a yen sign
      {"\xB1\xDE", "ｱﾞ"},       // half-width kana
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8);
    EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932);
  }
}

TEST(Encoding, UnmappableBytesAreReplacedNotDropped) {
  EXPECT_EQ(Cp932ToUtf8("a\x80z"), "a\xEF\xBF\xBDz");
  EXPECT_EQ(Cp932ToUtf8("a\x83"), "a\xEF\xBF\xBD");        // lone lead byte at the end
  EXPECT_EQ(Cp932ToUtf8("\x83\na"), "\xEF\xBF\xBD\na");    // the newline survives
  EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");
  EXPECT_EQ(Utf8ToCp932("a\xFF" "b"), "a?b");
}

}  // namespace
}  // namespace rivo

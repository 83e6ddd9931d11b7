// sjis::Find: matches only where a character starts.

#include <gtest/gtest.h>

#include <random>

#include "common/sjis.h"

namespace rivo {
namespace {

// The plain definition: try every character start in turn.
std::size_t WalkingFind(std::string_view s, std::string_view sub, std::size_t from) {
  if (sub.empty()) return sjis::npos;
  for (std::size_t i = from; i + sub.size() <= s.size(); i += sjis::CharSize(s, i))
    if (s.compare(i, sub.size(), sub) == 0) return i;
  return sjis::npos;
}

TEST(SjisFind, SkipsMatchesInsideCharacters) {
  // ソ is 83 5C, ＝ is 81 81.
  EXPECT_EQ(sjis::Find("\x83\x5c", "\\"), sjis::npos);
  EXPECT_EQ(sjis::Find("\x83\x5c\\", "\\"), 2u);
  // ア is 83 41: its "A" is no match; a run of 81 bytes pairs up from the start.
  EXPECT_EQ(sjis::Find("\x83\x41" "A", "A"), 2u);
  EXPECT_EQ(sjis::Find("a\x81\x81\x81\x81", "\x81\x81\x81"), 1u);
  EXPECT_EQ(sjis::Find("\x81\x81\x81\x81\x5c", "\x81\x5c"), sjis::npos);
  EXPECT_EQ(sjis::Find("\x81\x81\x81\x81", "\x81\x81", 2), 2u);
  EXPECT_EQ(sjis::Find("abc", ""), sjis::npos);
}

TEST(SjisFind, AgreesWithWalkingEveryCharacterOnRandomText) {
  // Bytes that are lead bytes, trail bytes, both or neither.
  const unsigned char alphabet[] = {0x81, 0x82, 0x5C, 0x41, 0xA0, 0xE0, 'a'};
  std::mt19937 random(7);
  auto text = [&](std::size_t length) {
    std::string s;
    for (std::size_t k = 0; k < length; ++k) s += static_cast<char>(alphabet[random() % sizeof alphabet]);
    return s;
  };
  for (int round = 0; round < 20000; ++round) {
    std::string s = text(random() % 24), sub = text(1 + random() % 3);
    // A start that is a character boundary, as callers give.
    std::size_t from = 0;
    for (std::size_t steps = random() % 4; steps > 0 && from < s.size(); --steps) from += sjis::CharSize(s, from);
    ASSERT_EQ(sjis::Find(s, sub, from), WalkingFind(s, sub, from)) << round;
  }
}

}  // namespace
}  // namespace rivo

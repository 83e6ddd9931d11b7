#include "common/sjis.h"

#include <gtest/gtest.h>

#include "common/encoding.h"

namespace rivo::sjis {
namespace {

// CP932 bytes of names whose trail bytes look like '\' or letters.
const std::string kSo = "\x83\x5C";     // ソ
const std::string kHyou = "\x95\x5C";   // 表
const std::string kNou = "\x94\x5C";    // 能
const std::string kA = "\x83\x41";      // ア
const std::string kSmallYa = "\x83\x61"; // ャ

TEST(Sjis, CountsCharactersNotBytes) {
  EXPECT_EQ(CharCount(kSo + "a" + kHyou), 3u);
  EXPECT_EQ(CharCount("abc"), 3u);
  EXPECT_EQ(CharCount(""), 0u);
  EXPECT_EQ(CharCount("a\x83"), 2u);  // a lone lead byte at the end is one character
  EXPECT_EQ(CharCodes(kSo + "a" + kHyou), (std::vector<uint16_t>{0x835C, 'a', 0x955C}));
  EXPECT_EQ(CharCodes("a\x83"), (std::vector<uint16_t>{'a', 0x83}));  // the lone lead byte stands alone
  EXPECT_TRUE(IsTrailByteAt(kSo + "\\", 1));
  EXPECT_FALSE(IsTrailByteAt(kSo + "\\", 2));
}

TEST(Sjis, SeparatorsInsideDoubleByteCharactersAreNotSeparators) {
  struct Case {
    std::string path, file_name, file_path, ext;
  } cases[] = {
      {"bg\\" + kSo + ".orb", kSo + ".orb", "bg\\", ".orb"},
      {kHyou, kHyou, "", ""},
      {kHyou + "\\" + kNou, kNou, kHyou + "\\", ""},
      {"dir.x\\" + kSo, kSo, "dir.x\\", ""},
      {"a.b.c", "a.b.c", "", ".c"},
      {"c:name.txt", "name.txt", "c:", ".txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Cp932ToUtf8(c.path));
    EXPECT_EQ(ExtractFileName(c.path), c.file_name);
    EXPECT_EQ(ExtractFilePath(c.path), c.file_path);
    EXPECT_EQ(ExtractFileExt(c.path), c.ext);
  }
  EXPECT_EQ(LastDelimiter("\\", kSo + kHyou), npos);
  EXPECT_EQ(ChangeFileExt("a\\" + kSo + ".orb", ".png"), "a\\" + kSo + ".png");
  EXPECT_EQ(ChangeFileExt("dir.x\\" + kSo, ".png"), "dir.x\\" + kSo + ".png");
}

TEST(Sjis, CaseFoldingLeavesTrailBytesAlone) {
  EXPECT_EQ(UpperCase("abc" + kSmallYa + "xyz"), "ABC" + kSmallYa + "XYZ");
  EXPECT_EQ(LowerCase("ABC" + kA + "XYZ"), "abc" + kA + "xyz");
  // ア and ャ differ only in a trail byte's case: they must stay different.
  EXPECT_FALSE(SameText(kA, kSmallYa));
  EXPECT_TRUE(SameText("Bg\\" + kSo + ".ORB", "bG\\" + kSo + ".orb"));
  EXPECT_NE(CompareText(kA, kSmallYa), 0);
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("abcd", "ABC"), 0);
  EXPECT_EQ(CompareText("", ""), 0);
}

}  // namespace
}  // namespace rivo::sjis

// TTag: tag names, attributes and their values.

#include <gtest/gtest.h>

#include "text/glyphs.h"
#include "text/tag.h"

namespace rivo {
namespace {

TTag Parsed(const char* token) {
  TTag tag;
  tag.Parse(token);
  return tag;
}

TEST(Tag, TokensGetTheirCodes) {
  const std::pair<const char*, int> cases[] = {
      {"abc", TC_TEXT},        {"<", TC_TEXT},           {"<>", TC_TEXT},        {"<B", TC_TEXT},
      {"< >", TC_TEXT},        {"<b>", TC_B},            {"</font>", TC_FONT_END}, {"<Img src=x>", TC_IMG},
      {"<WAIT>", TC_WAIT},     {"</WAIT>", TC_WAIT_END}, {"<PRE>", TC_IGNORED},  {"<!-- x -->", TC_IGNORED},
      {"<SCRIPT a>", TC_IGNORED}, {"<!-- open", TC_TEXT}, {"<BR CLEAR>", TC_BR},  {"<FONT=3>", TC_IGNORED},
  };
  for (const auto& [token, code] : cases) EXPECT_EQ(Parsed(token).TagCode(), code) << token;
  EXPECT_EQ(Parsed("<font size=3 color=red>").Text(), "<font>");
  EXPECT_EQ(Parsed("<!-- <B> -->").Text(), "<!-- <B> -->");
}

TEST(Tag, AttributesAreReadNameThenValue) {
  TTag font = Parsed("<FONT  SIZE=3 size=4 NAME=\"ＭＳ ゴシック\" BCOLOR='#00FF00 COLOR>");
  EXPECT_EQ(font.GetAttr("size", "x"), "3");  // the first of a name wins
  EXPECT_EQ(font.GetAttr("NAME", ""), "ＭＳ ゴシック");
  EXPECT_EQ(font.GetAttr("BCOLOR", ""), "#00FF00");  // no closing quote: up to the space
  EXPECT_TRUE(font.HasAttr("COLOR"));
  EXPECT_EQ(font.GetAttr("COLOR", "x"), "");
  EXPECT_EQ(font.GetAttr("SHADOW", "none"), "none");

  // Spaces around '=' make three attributes.
  TTag spaced = Parsed("<FONT SIZE = 3>");
  EXPECT_TRUE(spaced.HasAttr("SIZE"));
  EXPECT_TRUE(spaced.HasAttr("="));
  EXPECT_TRUE(spaced.HasAttr("3"));
  EXPECT_EQ(spaced.GetIntAttr("SIZE", 7), 7);

  TTag img = Parsed("<IMG SRC='a b.png' ALIGN=top>");
  EXPECT_EQ(img.GetAttr("SRC", ""), "a b.png");
  EXPECT_EQ(img.GetAlignAttr(AL_CENTER, AL_BOTTOM, AL_BOTTOM), AL_TOP);
}

TEST(Tag, NumbersColoursAndAlignmentsFallBackToTheirDefaults) {
  struct Case {
    const char* value;
    int32_t integer, colour;
  };
  const Case cases[] = {
      {"12", 12, -1},        {"$10", 16, -1},     {"-3", -3, -1},       {"x", 99, -1},
      {"#FF0000", 99, 0xFF}, {"#123456789", 99, 0x563412}, {"#12345", 99, -1}, {"#", 99, -1},
      {"#GG0000", 99, -1},   {"", 99, -1},
  };
  for (const Case& c : cases) {
    TTag tag = Parsed(("<X V=\"" + std::string(c.value) + "\">").c_str());
    EXPECT_EQ(tag.GetIntAttr("V", 99), c.integer) << c.value;
    EXPECT_EQ(tag.GetColorAttr("V", -1), c.colour) << c.value;
  }
  const std::tuple<const char*, uint8_t, uint8_t> aligns[] = {
      {"<DIV ALIGN=center>", AL_LEFT, AL_CENTER}, {"<DIV ALIGN=TOP>", AL_LEFT, AL_LEFT},
      {"<DIV>", AL_LEFT, AL_LEFT},                {"<IMG ALIGN=LEFT>", AL_CENTER, AL_BOTTOM},
      {"<IMG ALIGN=CENTER>", AL_CENTER, AL_CENTER},
  };
  for (const auto& [token, first, expected] : aligns) {
    uint8_t last = first == AL_LEFT ? AL_CENTER : AL_BOTTOM;
    EXPECT_EQ(Parsed(token).GetAlignAttr(first, last, first == AL_LEFT ? AL_LEFT : AL_BOTTOM), expected) << token;
  }
}

TEST(Tag, LinkAndEventValuesAreUnescapedByCharacter) {
  const std::pair<const char*, const char*> cases[] = {
      {"a\\nb", "a\r\nb"},
      {"\\\"q\\\\", "\"q\\"},
      {"\\x\\", "\\x\\"},
      {"\x83\x5C\\\"", "\x83\x5C\""},  // ソ's trail byte is no backslash
      {"\x83\x5Cn", "\x83\x5Cn"},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(UnescapeAttrValue(value), expected) << value;
}

}  // namespace
}  // namespace rivo

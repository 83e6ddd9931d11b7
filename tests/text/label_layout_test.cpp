// The text side of the label control with the test rasteriser: lines,
// sizes and alignment.

#include <gtest/gtest.h>

#include "platform/headless/test_font_rasteriser.h"
#include "text/glyph_fixture.h"
#include "text/label_layout.h"

namespace rivo {
namespace {

TEST(LabelLines, ALineBreakAtTheEndMakesNoEmptyLastLine) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
    std::string joined;
  } cases[] = {
      {"ab\r\n", {"ab"}, "ab"},
      {"ab\r\ncd", {"ab", "cd"}, "ab\r\ncd"},
      {"ab\r\n\r\n", {"ab", ""}, "ab\r\n"},
      {"a\nb\rc", {"a", "b", "c"}, "a\r\nb\r\nc"},
      {"", {}, ""},
      {"\x83\x5C\r\n", {"\x83\x5C"}, "\x83\x5C"},  // ソ: a trail byte 0x5C stays
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitLabelLines(c.text), c.lines) << c.text;
    EXPECT_EQ(JoinLabelLines(SplitLabelLines(c.text)), c.joined) << c.text;
  }
}

class LabelLayoutTest : public ::testing::Test {
 protected:
  TestFontRasteriser fonts;
  TFontPixelManager glyphs{fonts};
  TLabelLayout layout;
};

TEST_F(LabelLayoutTest, TheHeightIsFontHeightPlusLineSpaceForEveryLine) {
  TLabelStyle style;
  style.FontHeight = 20;
  style.LineSpace = 4;
  // At 20 half-width characters advance 10, double-byte ones 20.
  layout.Layout(glyphs, SplitLabelLines("AB\r\n\x82\xA0\x82\xA0\x82\xA0\r\nC\r\n"), style);
  EXPECT_EQ(layout.LineWidths(), (std::vector<int32_t>{20, 60, 10}));
  EXPECT_EQ(layout.TextWidth(), 60);
  EXPECT_EQ(layout.TextHeight(), (20 + 4) * 3);
  EXPECT_EQ(layout.Coverage().Width(), 60);
  EXPECT_EQ(layout.Coverage().Height(), 72);
}

TEST_F(LabelLayoutTest, LinesAreCentredOrRightAlignedInTheWidestLine) {
  TLabelStyle style;
  style.FontHeight = 20;
  style.Antialias = true;
  const std::vector<std::string> lines = SplitLabelLines("\x82\xA0\x82\xA0\x82\xA0\r\nB");
  for (int32_t align : {0, 1, 2}) {
    style.HAlign = align;
    layout.Layout(glyphs, lines, style);
    // 'B' at 20: box 9 wide at 0, so its line starts where its box does.
    const int32_t start = align == 0 ? 0 : align == 1 ? 25 : 50;
    EXPECT_EQ(layout.LineRects()[1].Left, start) << align;
    EXPECT_EQ(layout.LineRects()[1].Top, 20) << align;
    EXPECT_EQ(layout.LineRects()[1].Right, start + 9) << align;
  }
}

TEST_F(LabelLayoutTest, NothingToShowMakesNoLayers) {
  TLabelStyle style;
  layout.Layout(glyphs, {}, style);
  EXPECT_EQ(layout.TextWidth(), 0);
  EXPECT_EQ(layout.TextHeight(), 0);
  style.FontHeight = 1 << 30;  // clamped like markup sizes
  style.LineSpace = -(1 << 30);
  layout.Layout(glyphs, {"A"}, style);
  EXPECT_EQ(layout.TextHeight(), 0);
}

}  // namespace
}  // namespace rivo

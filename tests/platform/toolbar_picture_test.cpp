// The tool bar strip as every back end shows it: plain grey buttons, with
// their captions centred on them when a font draws them, at every scale.

#include "platform/toolbar_picture.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/freetype_rasteriser.h"
#include "platform/headless/test_font_rasteriser.h"
#include "platform/platform_error.h"

namespace rivo {
namespace {

// The ink of a caption: pixels darker than the button's border grey.
struct Ink {
  int count = 0;
  DisplayRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
};

Ink InkIn(const FrameBuffer& picture, const DisplayRect& r) {
  Ink ink;
  for (int32_t y = std::max(r.Top, 0); y < std::min(r.Bottom, picture.height); ++y)
    for (int32_t x = std::max(r.Left, 0); x < std::min(r.Right, picture.width); ++x)
      if ((picture.At(x, y) & 0xFF) < 0xA0) {
        ++ink.count;
        ink.box = {std::min(ink.box.Left, x), std::min(ink.box.Top, y), std::max(ink.box.Right, x + 1),
                   std::max(ink.box.Bottom, y + 1)};
      }
  return ink;
}

// A font that draws nothing, as a face without Japanese characters would not.
class BlankFonts final : public FontRasteriser {
  class Font final : public RasterFont {
   public:
    const FontMetrics& Metrics() const override { return metrics_; }
    bool Render(uint16_t, int32_t, RasterGlyph&) override { return false; }
    int32_t TextWidth(uint16_t) override { return 0; }
    AbcWidths CharAbcWidths(uint16_t) override { return {}; }

   private:
    FontMetrics metrics_{.height = 12, .ascent = 10, .descent = 2};
  };

 public:
  std::shared_ptr<RasterFont> Open(const FontRequest&) override { return std::make_shared<Font>(); }
  std::vector<std::string> InstalledFamilies(bool) override { return {}; }
};

constexpr ToolbarButton kButtons[] = {ToolbarButton::kQuit, ToolbarButton::kToggleFullScreen};

// A 640 × 480 game's window at the given scale; the strip starts at (0, 0).
Viewport WindowAt(int32_t scale) { return Viewport::Windowed(640, 480, 640 * scale, (480 + kToolbarHeight) * scale); }

TEST(ToolbarPicture, CaptionsAreCentredOnTheButtonsAndGrowWithTheScale) {
  TestFontRasteriser fonts;
  ToolbarPicture toolbar(&fonts);
  int heights[3] = {};
  for (int32_t scale : {1, 2}) {
    const Viewport v = WindowAt(scale);
    const FrameBuffer& picture = toolbar.Draw(v, ToolbarButton::kNone);
    ASSERT_EQ(picture.width, v.toolbar.Width());
    ASSERT_EQ(picture.height, v.toolbar.Height());
    EXPECT_EQ(picture.At(picture.width - 1, 0), 0x00F0F0F0u);  // the strip beside the buttons
    for (ToolbarButton b : kButtons) {
      SCOPED_TRACE(testing::Message() << "scale " << scale << ", button " << static_cast<int>(b));
      const DisplayRect r = v.ButtonRect(b);
      const Ink ink = InkIn(picture, r);
      ASSERT_GT(ink.count, 0);
      // Inside the border, with about as much room left as right, above as
      // below (the test font's ink sits up to 3 pixels into its cells).
      EXPECT_GT(ink.box.Left, r.Left + scale);
      EXPECT_LT(ink.box.Right, r.Right - scale);
      EXPECT_NEAR(ink.box.Left - r.Left, r.Right - ink.box.Right, 4 * scale);
      EXPECT_NEAR(ink.box.Top - r.Top, r.Bottom - ink.box.Bottom, 4 * scale);
      if (b == ToolbarButton::kQuit) heights[scale] = ink.box.Height();
    }
  }
  EXPECT_NEAR(heights[2], 2 * heights[1], 2);
}

TEST(ToolbarPicture, APressedButtonKeepsItsCaptionOnTheDarkerFace) {
  TestFontRasteriser fonts;
  ToolbarPicture toolbar(&fonts);
  const Viewport v = WindowAt(1);
  const FrameBuffer released = toolbar.Draw(v, ToolbarButton::kNone);
  const FrameBuffer& pressed = toolbar.Draw(v, ToolbarButton::kQuit);
  const DisplayRect quit = v.ButtonRect(ToolbarButton::kQuit), other = v.ButtonRect(ToolbarButton::kToggleFullScreen);
  EXPECT_EQ(released.At(quit.Left + 2, quit.Top + 2), 0x00E1E1E1u);
  EXPECT_EQ(pressed.At(quit.Left + 2, quit.Top + 2), 0x00ADADADu);
  EXPECT_GT(InkIn(pressed, quit).count, 0);
  EXPECT_EQ(InkIn(pressed, other).count, InkIn(released, other).count);
}

TEST(ToolbarPicture, WithoutAFontThatDrawsTheCaptionsTheButtonsArePlain) {
  BlankFonts blank;
  ToolbarPicture no_fonts(nullptr), blank_fonts(&blank);
  for (ToolbarPicture* toolbar : {&no_fonts, &blank_fonts}) {
    const Viewport v = WindowAt(2);
    const FrameBuffer& picture = toolbar->Draw(v, ToolbarButton::kNone);
    for (ToolbarButton b : kButtons) {
      const DisplayRect r = v.ButtonRect(b);
      EXPECT_EQ(InkIn(picture, r).count, 0);
      EXPECT_EQ(picture.At(r.Left, r.Top), 0x00ADADADu);            // border
      EXPECT_EQ(picture.At(r.Left + 2, r.Top + 2), 0x00E1E1E1u);    // face
    }
  }
}

TEST(ToolbarPicture, TheInstalledJapaneseFontDrawsBothCaptions) {
  std::unique_ptr<FreeTypeRasteriser> fonts;
  try {
    fonts = std::make_unique<FreeTypeRasteriser>();
  } catch (const PlatformError& e) {
    GTEST_SKIP() << e.what();
  }
  if (!fonts->Resolve("\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e", false))  // ＭＳ Ｐゴシック
    GTEST_SKIP() << "no Japanese font is installed (scripts/setup installs the IPA fonts)";
  ToolbarPicture toolbar(fonts.get());
  const Viewport v = WindowAt(1);
  const FrameBuffer& picture = toolbar.Draw(v, ToolbarButton::kNone);
  for (ToolbarButton b : kButtons) {
    const DisplayRect r = v.ButtonRect(b);
    const Ink ink = InkIn(picture, r);
    EXPECT_GT(ink.count, 20);
    EXPECT_NEAR(ink.box.Left - r.Left, r.Right - ink.box.Right, 3);
  }
  // "画面切替" has twice the characters of "終了".
  EXPECT_GT(InkIn(picture, v.ButtonRect(ToolbarButton::kToggleFullScreen)).box.Width(),
            InkIn(picture, v.ButtonRect(ToolbarButton::kQuit)).box.Width() * 3 / 2);
}

}  // namespace
}  // namespace rivo

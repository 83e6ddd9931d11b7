// Where the game screen lands in the window, and pointer positions back.

#include "platform/viewport.h"

#include <gtest/gtest.h>

namespace rivo {
namespace {

TEST(Viewport, WindowedPutsTheToolbarStripAboveTheScreen) {
  Viewport v = Viewport::Windowed(640, 480, 640, 480 + 22);
  EXPECT_EQ(v.toolbar, (DisplayRect{0, 0, 640, 22}));
  EXPECT_EQ(v.screen, (DisplayRect{0, 22, 640, 502}));
  EXPECT_EQ(v.ButtonRect(ToolbarButton::kQuit), (DisplayRect{0, 2, 67, 20}));
  EXPECT_EQ(v.ButtonRect(ToolbarButton::kToggleFullScreen), (DisplayRect{67, 2, 134, 20}));
  EXPECT_EQ(v.ButtonAt(10, 10), ToolbarButton::kQuit);
  EXPECT_EQ(v.ButtonAt(100, 10), ToolbarButton::kToggleFullScreen);
  EXPECT_EQ(v.ButtonAt(200, 10), ToolbarButton::kNone);
  EXPECT_EQ(v.ButtonAt(10, 30), ToolbarButton::kNone);
  EXPECT_EQ(v.ToPanel(5, 22), (DisplayPoint{5, 0}));
  EXPECT_EQ(v.ToPanel(5, 10), (DisplayPoint{5, -12}));
}

TEST(Viewport, WindowedScaleEnlargesStripScreenAndButtonsAlike) {
  Viewport v = Viewport::Windowed(320, 240, 640, 2 * (240 + 22));
  EXPECT_EQ(v.toolbar, (DisplayRect{0, 0, 640, 44}));
  EXPECT_EQ(v.screen, (DisplayRect{0, 44, 640, 524}));
  EXPECT_EQ(v.ButtonRect(ToolbarButton::kToggleFullScreen), (DisplayRect{134, 4, 268, 40}));
  EXPECT_EQ(v.ToPanel(639, 523), (DisplayPoint{319, 239}));
  EXPECT_EQ(v.ToPanel(1, 45), (DisplayPoint{0, 0}));
}

TEST(Viewport, FullScreenUsesTheLargestWholeScaleAndCentres) {
  Viewport v = Viewport::FullScreen(640, 480, 1920, 1080, false);
  EXPECT_EQ(v.screen, (DisplayRect{320, 60, 1600, 1020}));  // x2, letterboxed
  EXPECT_TRUE(v.toolbar.Empty());
  EXPECT_EQ(v.ToPanel(320, 60), (DisplayPoint{0, 0}));
  EXPECT_EQ(v.ToPanel(1599, 1019), (DisplayPoint{639, 479}));
  EXPECT_EQ(v.ToPanel(319, 59), (DisplayPoint{-1, -1}));  // the border is outside the panel
  EXPECT_EQ(v.ToPanel(1600, 1020), (DisplayPoint{640, 480}));
}

TEST(Viewport, FullScreenShrinksAScreenLargerThanTheDisplayKeepingItsShape) {
  Viewport v = Viewport::FullScreen(800, 600, 1024, 400, false);
  EXPECT_EQ(v.screen.Height(), 400);
  EXPECT_EQ(v.screen.Width(), 533);
  EXPECT_EQ(v.screen.Left, (1024 - 533) / 2);
  EXPECT_EQ(v.ToPanel(v.screen.Left, 0), (DisplayPoint{0, 0}));
  EXPECT_EQ(v.ToPanel(v.screen.Right - 1, 399), (DisplayPoint{798, 598}));
}

TEST(Viewport, FullScreenToolbarAppearsAcrossTheTopWhenShown) {
  Viewport v = Viewport::FullScreen(640, 480, 1920, 1080, true);
  EXPECT_EQ(v.toolbar, (DisplayRect{0, 0, 1920, 44}));
  EXPECT_EQ(v.ButtonAt(70, 10), ToolbarButton::kQuit);
}

// (When the screen is shrunk some panel pixels have no output pixel of their own.)
TEST(Viewport, FromPanelIsTheFirstOutputPixelOfAnEnlargedPanelPixel) {
  for (Viewport v : {Viewport::Windowed(320, 240, 960, 3 * 262), Viewport::FullScreen(640, 480, 1920, 1080, false)}) {
    for (DisplayPoint p : {DisplayPoint{0, 0}, DisplayPoint{17, 33}, DisplayPoint{319, 239}}) {
      DisplayPoint out = v.FromPanel(p.x, p.y);
      EXPECT_EQ(v.ToPanel(out.x, out.y), p);
      EXPECT_NE(v.ToPanel(out.x - 1, out.y - 1), p);
    }
  }
}

}  // namespace
}  // namespace rivo

#include "media/screen_manager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake_window.h"
#include "media/display_mode_choice.h"
#include "platform/listed_display_modes.h"

namespace rivo {
namespace {

using ::testing::ElementsAre;
using testing_media::FakeWindow;

// A display offering the usual sizes at 8, 16 and 32 bits, some at two refresh rates.
const std::vector<DisplayMode> kDisplay = {
    {320, 240, 32, 60},  {640, 480, 8, 60},   {640, 480, 16, 60},  {640, 480, 32, 75},
    {640, 480, 32, 60},  {640, 400, 32, 60},  {800, 600, 16, 60},  {800, 600, 32, 60},
};

TEST(DisplayModeChoice, ListsModesLargeEnoughOfSixteenBitsOrMore) {
  DisplayModeChoice c = ChooseDisplayModes(kDisplay, 640, 480, 640, 480, 32);
  EXPECT_THAT(c.modes, ElementsAre(DisplayMode{640, 480, 16, 60}, DisplayMode{640, 480, 32, 75},
                                   DisplayMode{640, 480, 32, 60}, DisplayMode{800, 600, 16, 60},
                                   DisplayMode{800, 600, 32, 60}));
}

TEST(DisplayModeChoice, PrefersThePreferredSizeThenTheDesktopDepthThenTheLowestRefresh) {
  struct Case {
    int32_t preferred_w, preferred_h;
    uint32_t desktop_bits;
    DisplayMode chosen;
  } cases[] = {
      {640, 480, 32, {640, 480, 32, 60}},
      {640, 480, 16, {640, 480, 16, 60}},
      {800, 600, 32, {800, 600, 32, 60}},
      {800, 600, 24, {800, 600, 16, 60}},  // no mode at the desktop's depth: the first of that size
      {0, 0, 32, {640, 480, 16, 60}},      // no preferred size: the first listed
      {1024, 768, 32, {640, 480, 16, 60}},  // a preferred size the display lacks
  };
  for (const Case& c : cases) {
    DisplayModeChoice choice = ChooseDisplayModes(kDisplay, 640, 480, c.preferred_w, c.preferred_h, c.desktop_bits);
    ASSERT_GE(choice.chosen, 0);
    EXPECT_EQ(choice.modes[static_cast<std::size_t>(choice.chosen)], c.chosen)
        << c.preferred_w << "x" << c.preferred_h << " on " << c.desktop_bits;
  }
}

TEST(DisplayModeChoice, AGameLargerThanEveryModeHasNoneToChoose) {
  DisplayModeChoice c = ChooseDisplayModes(kDisplay, 1024, 768, 0, 0, 32);
  EXPECT_TRUE(c.modes.empty());
  EXPECT_EQ(c.chosen, -1);
}

class ScreenManager : public ::testing::Test {
 protected:
  ListedDisplayModes display_{kDisplay, 32};
  FakeWindow window_;
  TScreenManager manager_{display_, &window_, 640, 480, 640, 480};
};

TEST_F(ScreenManager, StartsInTheWindowWithAThirtyTwoBitSurfaceOfTheScreenSize) {
  EXPECT_EQ(manager_.CurrentMode(), TScreenManager::kWindowMode);
  EXPECT_FALSE(manager_.FullScreen());
  EXPECT_EQ(manager_.ModeCount(), 5);
  EXPECT_EQ(manager_.ChosenMode(), 2);
  EXPECT_EQ(manager_.ScreenBits(), 32);
  EXPECT_EQ(manager_.DrawSurface().Width(), 640);
  EXPECT_EQ(manager_.DrawSurface().Height(), 480);
  EXPECT_EQ(manager_.DrawSurface().BitCount(), 32);
  EXPECT_EQ(manager_.DesktopBits(), 32u);
}

TEST_F(ScreenManager, AModeIndexOutsideTheListIsIgnored) {
  for (int32_t n : {-1, 5, 1000, INT32_MIN}) {
    EXPECT_FALSE(manager_.SetChosenMode(n)) << n;
    EXPECT_FALSE(manager_.GetMode(n)) << n;
  }
  EXPECT_EQ(manager_.ChosenMode(), 2);
  EXPECT_TRUE(manager_.SetChosenMode(4));
  EXPECT_EQ(manager_.ChosenMode(), 4);
  EXPECT_EQ(manager_.GetMode(4), (DisplayMode{800, 600, 32, 60}));
}

TEST_F(ScreenManager, FullScreenIsTheWindowsAndFallsBackToTheWindowWhenRefused) {
  manager_.ReleaseSurfaces();
  EXPECT_EQ(manager_.CurrentMode(), TScreenManager::kNoMode);
  manager_.SetMode(manager_.ChosenMode());
  EXPECT_EQ(manager_.CurrentMode(), 2);
  EXPECT_TRUE(manager_.FullScreen());
  EXPECT_TRUE(window_.full_screen);
  manager_.SetMode(TScreenManager::kWindowMode);
  EXPECT_FALSE(window_.full_screen);

  window_.allow_full_screen = false;
  manager_.SetMode(2);
  EXPECT_EQ(manager_.CurrentMode(), TScreenManager::kWindowMode);
  EXPECT_FALSE(manager_.FullScreen());
}

TEST_F(ScreenManager, TheDrawingSurfaceIsOneObjectForTheWholeRun) {
  const TDIBX* surface = &manager_.DrawSurface();
  manager_.DrawSurface().SetPixel(0, 0, 0x123456);
  manager_.ReleaseSurfaces();
  manager_.SetMode(2);
  manager_.ReleaseSurfaces();
  manager_.SetMode(TScreenManager::kWindowMode);
  EXPECT_EQ(&manager_.DrawSurface(), surface);
  EXPECT_EQ(manager_.DrawSurface().GetPixel(0, 0), 0x123456u);
}

TEST_F(ScreenManager, PresentsTheNonEmptyDirtyRectanglesOrExactlyTheTransitionsRectangle) {
  manager_.DrawSurface().SetPixel(0, 0, 0xABCDEF);
  const std::vector<TRect> dirty = {{0, 0, 10, 10}, {5, 5, 5, 50}, {100, 100, 120, 130}};
  manager_.Present(dirty, {});
  manager_.Present(dirty, {10, 20, 30, 40});
  manager_.Present({}, {});
  ASSERT_EQ(window_.presents.size(), 3u);
  EXPECT_THAT(window_.presents[0].rects, ElementsAre(DisplayRect{0, 0, 10, 10}, DisplayRect{100, 100, 120, 130}));
  EXPECT_THAT(window_.presents[1].rects, ElementsAre(DisplayRect{10, 20, 30, 40}));
  EXPECT_TRUE(window_.presents[2].rects.empty());
  EXPECT_EQ(window_.presents[0].first_pixel, 0xABCDEFu);
  EXPECT_EQ(window_.frame_width, 640);
  EXPECT_EQ(window_.frame_height, 480);
  EXPECT_EQ(manager_.PresentCount(), 3);
  manager_.ResetPresentCount();
  EXPECT_EQ(manager_.PresentCount(), 0);
}

TEST(ScreenManagerWithoutModes, CannotGoFullScreen) {
  ListedDisplayModes none({}, 24);
  FakeWindow window;
  TScreenManager manager(none, &window, 640, 480, 0, 0);
  EXPECT_EQ(manager.ModeCount(), 0);
  EXPECT_EQ(manager.ChosenMode(), -1);
  manager.SetMode(0);
  EXPECT_EQ(manager.CurrentMode(), TScreenManager::kWindowMode);
  EXPECT_FALSE(window.full_screen);
  EXPECT_EQ(manager.DesktopBits(), 24u);
}

}  // namespace
}  // namespace rivo

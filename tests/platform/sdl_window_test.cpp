// The SDL window: it opens, presents frames below the tool bar strip, and
// turns clicks into panel coordinates and tool bar requests. Runs with SDL's
// dummy video driver, and once more on a real X server under Xvfb when
// xvfb-run is installed.

#include "platform/sdl/sdl_window.h"

#include "platform/freetype_rasteriser.h"
#include "platform/platform_error.h"
#include "platform/sdl/sdl_display_modes.h"
#include "platform/toolbar_picture.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace rivo {
namespace {

class SdlWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (SDL_Init(SDL_INIT_VIDEO) == 0) return;
    if (std::getenv("RIVO_UNDER_XVFB")) FAIL() << "no X server: " << SDL_GetError();
    GTEST_SKIP() << "no SDL video driver: " << SDL_GetError();
  }
  void TearDown() override { SDL_Quit(); }
};

SDL_Event Button(Uint32 type, Uint8 button, int x, int y) {
  SDL_Event e{};
  e.type = type;
  e.button.button = button;
  e.button.x = x;
  e.button.y = y;
  return e;
}

TEST_F(SdlWindowTest, PresentsAFrameBelowTheToolbarStrip) {
  SdlWindow window({.screen_width = 64, .screen_height = 48, .title_utf8 = "テスト", .scale = 2});
  FrameBuffer frame(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) frame.At(x, y) = x < 32 ? 0x00FF8000 : 0x000080FF;
  window.Present(frame, std::vector<DisplayRect>{frame.Bounds()});
  FrameBuffer shown = window.ReadBack();
  ASSERT_EQ(shown.width, 128);
  ASSERT_EQ(shown.height, 2 * (48 + 22));
  auto rgb = [&](int x, int y) { return shown.At(x, y) & 0x00FFFFFF; };
  EXPECT_EQ(rgb(10, 44), 0x00FF8000u);        // first screen row, left half
  EXPECT_EQ(rgb(127, 139), 0x000080FFu);      // last screen pixel, right half
  EXPECT_EQ(rgb(127, 0), 0x00F0F0F0u);        // the strip beside the buttons
  EXPECT_NE(rgb(20, 20), 0x00F0F0F0u);        // the "終了" button
  EXPECT_NE(rgb(20, 20), rgb(10, 44));

  // Only the changed rectangle reaches the display.
  frame.At(0, 0) = 0x00FFFFFF;
  frame.At(63, 47) = 0x00FFFFFF;
  window.Present(frame, std::vector<DisplayRect>{{0, 0, 1, 1}});
  shown = window.ReadBack();
  EXPECT_EQ(rgb(0, 44), 0x00FFFFFFu);
  EXPECT_EQ(rgb(127, 139), 0x000080FFu);
}

TEST_F(SdlWindowTest, TheToolbarStripShowsTheToolbarPictureWithItsCaptions) {
  SdlWindow window({.screen_width = 160, .screen_height = 40, .title_utf8 = "テスト", .scale = 2});
  FrameBuffer shown = window.ReadBack();
  ASSERT_EQ(shown.width, 320);
  std::unique_ptr<FreeTypeRasteriser> fonts;
  try {
    fonts = std::make_unique<FreeTypeRasteriser>();
  } catch (const PlatformError&) {
  }
  ToolbarPicture toolbar(fonts.get());
  const FrameBuffer& want = toolbar.Draw(Viewport::Windowed(160, 40, 320, 2 * (40 + kToolbarHeight)), ToolbarButton::kNone);
  ASSERT_EQ(want.width, 320);
  int differing = 0;
  for (int32_t y = 0; y < want.height; ++y)
    for (int32_t x = 0; x < want.width; ++x) differing += (shown.At(x, y) & 0x00FFFFFF) != want.At(x, y);
  EXPECT_EQ(differing, 0);
}

TEST_F(SdlWindowTest, ClicksBecomePanelPositionsOrToolbarRequests) {
  SdlWindow window({.screen_width = 64, .screen_height = 48, .scale = 2});
  std::optional<InputEvent> e = window.Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 21, 44 + 31));
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, InputKind::kMouseDown);
  EXPECT_EQ(e->button, MouseButton::kRight);
  EXPECT_EQ(e->x, 10);
  EXPECT_EQ(e->y, 15);
  e = window.Translate(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 21, 44 + 31));
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, InputKind::kMouseUp);

  // A press on the strip beside the buttons goes nowhere.
  EXPECT_FALSE(window.Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 120, 10)));
  // A tool bar button acts on release over itself.
  EXPECT_FALSE(window.Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 10)));
  e = window.Translate(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 12, 12));
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, InputKind::kToolbarQuit);
  // Released elsewhere, it does nothing.
  EXPECT_FALSE(window.Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 2 * 67 + 10, 10)));
  EXPECT_FALSE(window.Translate(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 10, 100)));
  EXPECT_FALSE(window.Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 2 * 67 + 10, 10)));
  e = window.Translate(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 2 * 67 + 10, 10));
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, InputKind::kToolbarToggleFullScreen);

  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = -1;
  e = window.Translate(wheel);
  ASSERT_TRUE(e);
  EXPECT_TRUE(e->wheel_down);
}

// Lets the window see its own resize events (as the event loop does), until
// its output has the expected width or a second has passed.
FrameBuffer SettleAndReadBack(SdlWindow& window, int width) {
  FrameBuffer shown;
  for (int i = 0; i < 100; ++i) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) window.Translate(e);
    shown = window.ReadBack();
    if (shown.width == width) break;
    SDL_Delay(10);
  }
  return shown;
}

TEST_F(SdlWindowTest, FullScreenLetterboxesAndComesBackToTheWindowedSize) {
  // 60 x 48 is narrower than the 4:3 displays of the dummy driver and of Xvfb here.
  SdlWindow window({.screen_width = 60, .screen_height = 48});
  ASSERT_TRUE(window.SetFullScreen(true));
  SDL_DisplayMode desktop;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  FrameBuffer frame(60, 48);
  for (uint32_t& p : frame.pixels) p = 0x00FFFFFF;
  window.Present(frame, std::vector<DisplayRect>{frame.Bounds()});
  FrameBuffer shown = SettleAndReadBack(window, desktop.w);
  ASSERT_EQ(shown.width, desktop.w);
  // The middle shows the frame, the border beside it stays black.
  EXPECT_EQ(shown.At(shown.width / 2, shown.height / 2) & 0x00FFFFFF, 0x00FFFFFFu);
  EXPECT_EQ(shown.At(0, shown.height / 2) & 0x00FFFFFF, 0u);
  EXPECT_FALSE(window.SetFullScreen(false));
  shown = SettleAndReadBack(window, 60);
  EXPECT_EQ(shown.width, 60);
  EXPECT_EQ(shown.height, 48 + 22);
}

TEST_F(SdlWindowTest, AWarpedPointerComesBackAsAMoveToTheSamePanelPosition) {
  for (bool full : {false, true}) {
    SdlWindow window({.screen_width = 60, .screen_height = 48, .scale = 3});
    window.SetFullScreen(full);
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    window.WarpMouse({17, 29});
    SDL_PumpEvents();
    std::optional<InputEvent> move;
    SDL_Event e;
    while (SDL_PollEvent(&e))
      if (std::optional<InputEvent> got = window.Translate(e); got && got->kind == InputKind::kMouseMove) move = got;
    ASSERT_TRUE(move) << "full screen " << full;
    EXPECT_EQ((DisplayPoint{move->x, move->y}), (DisplayPoint{17, 29})) << "full screen " << full;
  }
}

TEST_F(SdlWindowTest, PointerPicturesAreMadeOncePerNameAndTheArrowComesBack) {
  SdlWindow window({.screen_width = 8, .screen_height = 8});
  CursorImage hand{.width = 2, .height = 2, .hot_x = 1, .hot_y = 1, .argb = {0xFF000000, 0, 0, 0xFFFFFFFF}};
  window.SetCursor("hand.cur", &hand);
  SDL_Cursor* shown = SDL_GetCursor();
  if (!shown) GTEST_SKIP() << "this video driver has no pointer";
  window.SetCursor("", nullptr);
  EXPECT_NE(SDL_GetCursor(), shown);
  window.SetCursor("hand.cur", &hand);
  EXPECT_EQ(SDL_GetCursor(), shown);
  CursorImage broken;  // no pixels: refused, the pointer stays
  broken.width = broken.height = 3;
  window.SetCursor("broken.cur", &broken);
  EXPECT_EQ(SDL_GetCursor(), shown);
}

TEST_F(SdlWindowTest, DisplayModesCountFourBytePixelsAsThirtyTwoBits) {
  SdlDisplayModes modes;
  std::vector<DisplayMode> list = modes.ListModes();
  ASSERT_FALSE(list.empty());
  for (const DisplayMode& m : list) {
    EXPECT_GT(m.width, 0u);
    EXPECT_GT(m.height, 0u);
  }
  EXPECT_EQ(modes.DesktopBits(), 32u);
}

// Runs this program's window tests again on a real X server.
TEST(SdlWindowOnXvfb, PresentsAFrameOnARealXServer) {
  if (std::getenv("RIVO_UNDER_XVFB")) GTEST_SKIP() << "already under Xvfb";
  if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "xvfb-run is not installed (scripts/setup installs xvfb)";
  char self[4096];
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  ASSERT_GT(n, 0);
  self[n] = 0;
  std::string output = ::testing::TempDir() + "sdl_window_xvfb." + std::to_string(getpid()) + ".txt";
  // Display numbers start at one picked from the process id, so that two
  // test runs on one machine do not race for the same free display. The
  // server must not reset when a test's window closes: a connection made
  // while it resets is refused.
  // SDL's X11 driver leaves D-Bus allocations behind at exit; they are not ours to find.
  std::string command =
      std::string("RIVO_UNDER_XVFB=1 SDL_VIDEODRIVER=x11 ASAN_OPTIONS=detect_leaks=0 "
                  "xvfb-run -a -n " + std::to_string(100 + getpid() % 5000) +
                  " -s '-screen 0 800x600x24 -noreset' '") +
      self + "' --gtest_filter='SdlWindowTest.*' > '" + output + "' 2>&1";
  int status = std::system(command.c_str());
  std::ifstream in(output);
  std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_TRUE(WIFEXITED(status)) << log;
  EXPECT_EQ(WEXITSTATUS(status), 0) << log;
}

}  // namespace
}  // namespace rivo

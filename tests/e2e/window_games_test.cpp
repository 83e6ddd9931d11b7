// The player in a real SDL window on a private X server: the boxes appear
// where the window shows the game screen, and presses of the real pointer
// land on the box under them, in letterboxed full screen, and windowed at
// twice the size after the tool bar's button left full screen.
// Skipped only when no X server can be started.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "e2e/game_runner.h"
#include "e2e/xvfb_display.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kGrey = 0x404040, kWhite = 0xFFFFFF;

// The boxes of the game: centre in game screen coordinates and colour
// until pressed (then white).
struct Box {
  int32_t x, y;
  uint32_t colour;
};
constexpr Box kA{50, 50, 0x00FF00}, kB{270, 190, 0x0000FF}, kC{160, 120, 0xFF0000};

// rivoplay with its SDL back end on the given X display.
class WindowedPlayer {
 public:
  WindowedPlayer(const XvfbDisplay& x, const fs::path& game, const std::vector<std::string>& options,
                 const fs::path& scratch)
      : vars_(scratch / "vars.json"), trace_(scratch / "trace.txt") {
    std::vector<std::string> args = {std::string(RIVO_BIN_DIR) + "/rivoplay", "--save-dir",
                                     (scratch / "save").string(), "--dump-vars", vars_.string(),
                                     "--trace", trace_.string()};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(game.string());
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
      const std::string entry = *e;
      if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("SDL_VIDEODRIVER=", 0) != 0 &&
          entry.rfind("ASAN_OPTIONS=", 0) != 0)
        env.push_back(entry);
    }
    // SDL's X11 driver leaves D-Bus allocations behind at exit; they are not ours to find.
    for (const std::string& entry :
         {"DISPLAY=" + x.Name(), std::string("SDL_VIDEODRIVER=x11"), std::string("SDL_AUDIODRIVER=dummy"),
          std::string("ASAN_OPTIONS=detect_leaks=0")})
      env.push_back(entry);
    std::vector<char*> argv, envp;
    for (std::string& a : args) argv.push_back(a.data());
    for (std::string& e : env) envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
  }
  ~WindowedPlayer() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool Started() const { return pid_ > 0; }
  bool Running() {
    if (pid_ <= 0) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
    exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    pid_ = -1;
    return false;
  }
  // The exit code once it has ended by itself, -1 when it had to be stopped.
  int WaitForExit(double seconds) {
    if (!WaitUntil([&] { return !Running(); }, seconds)) return -1;
    return exit_code_;
  }
  // The variables it left at exit and the commands it ran.
  std::string Report() const { return ReadAll(vars_) + ReadAll(trace_); }
  bool LogIs(const std::string& value) const {
    PlayResult left;
    left.vars = ReadAll(vars_);
    return left.HasVar("log", "string", "\"" + value + "\"");
  }

 private:
  fs::path vars_, trace_;
  pid_t pid_ = -1;
  int exit_code_ = -1;
};

// Where the game screen lies on the X screen, given the window and the
// screen's place and scale inside it.
struct Placement {
  int32_t left, top, scale;
  int32_t X(int32_t x) const { return left + x * scale + scale / 2; }
  int32_t Y(int32_t y) const { return top + y * scale + scale / 2; }
};

// Waits until the window has the size and shows the base and the boxes at
// their places (white when pressed before). In full screen the test gives
// the window the screen, as a window manager would.
bool ShowsTheBoxes(XvfbDisplay& x, int32_t width, int32_t height, Placement& at, int32_t dx, int32_t dy,
                   int32_t scale, bool full_screen = false) {
  return WaitUntil(
      [&] {
        std::optional<ScreenRect> w = x.TopWindow();
        if (w && full_screen && (w->width != width || w->height != height)) x.FillScreen();
        if (!w || w->width != width || w->height != height) return false;
        at = {w->left + dx, w->top + dy, scale};
        for (const Box& b : {kA, kB, kC}) {
          const uint32_t shown = x.PixelAt(at.X(b.x), at.Y(b.y));
          if (shown != b.colour && shown != kWhite) return false;
        }
        return x.PixelAt(at.X(5), at.Y(5)) == kGrey && x.PixelAt(at.X(319) - 1, at.Y(239)) == kGrey;
      },
      60);
}

// Presses the box, then waits until the game has turned it white, so that
// no two presses fall into one tick.
bool Press(XvfbDisplay& x, const Placement& at, const Box& b) {
  x.Click(at.X(b.x), at.Y(b.y));
  return WaitUntil([&] { return x.PixelAt(at.X(b.x), at.Y(b.y)) == kWhite; }, 30);
}

TEST(WindowGames, ClicksHitTheBoxesInFullScreenAndAtTwiceTheSizeAfterTheToolbarButton) {
  XvfbDisplay x(1024, 768);
  if (!x.Ok()) GTEST_SKIP() << x.Problem();
  Scratch s;
  fs::path game = BuildGame("window", s.Path() / "game");
  WindowedPlayer player(x, game, {"--fullscreen", "--scale", "2"}, s.Path());
  ASSERT_TRUE(player.Started());

  // Full screen: 320 x 240 fits three times into 1024 x 768, centred.
  Placement at{};
  ASSERT_TRUE(ShowsTheBoxes(x, 1024, 768, at, 32, 24, 3, true)) << "full screen never showed the boxes";
  EXPECT_EQ(x.PixelAt(10, 384), 0u);  // the bars beside the screen stay black
  EXPECT_EQ(x.PixelAt(1013, 384), 0u);
  EXPECT_TRUE(Press(x, at, kA));
  // The tool bar comes with the pointer on the top line, three times its
  // size; "画面切替" is its second button (67 x 18).
  x.MoveTo(300, 0);
  x.Click(3 * 67 + 99, 3 * 2 + 27);

  // Windowed: a 2 x 22-pixel tool bar strip over the screen at twice its size.
  ASSERT_TRUE(ShowsTheBoxes(x, 640, 2 * (240 + 22), at, 0, 44, 2)) << "the window never showed the boxes";
  EXPECT_EQ(x.PixelAt(at.X(kA.x), at.Y(kA.y)), kWhite);
  EXPECT_TRUE(Press(x, at, kB));
  x.Click(at.X(kC.x), at.Y(kC.y));  // the third press ends the game

  EXPECT_EQ(player.WaitForExit(60), 0) << player.Report();
  EXPECT_TRUE(player.LogIs("A;B;C;")) << player.Report();
}

TEST(WindowGames, ClicksHitTheBoxesInALetterboxedFullScreenStart) {
  XvfbDisplay x(800, 600);
  if (!x.Ok()) GTEST_SKIP() << x.Problem();
  Scratch s;
  fs::path game = BuildGame("window", s.Path() / "game");
  WindowedPlayer player(x, game, {"--fullscreen"}, s.Path());
  ASSERT_TRUE(player.Started());

  // Twice the size fits 800 x 600; black bars of 80 and 60 pixels remain.
  Placement at{};
  ASSERT_TRUE(ShowsTheBoxes(x, 800, 600, at, 80, 60, 2, true)) << "full screen never showed the boxes";
  EXPECT_EQ(x.PixelAt(40, 300), 0u);
  EXPECT_EQ(x.PixelAt(400, 590), 0u);
  EXPECT_TRUE(Press(x, at, kC));
  EXPECT_TRUE(Press(x, at, kA));
  x.Click(at.X(kB.x), at.Y(kB.y));  // the third press ends the game

  EXPECT_EQ(player.WaitForExit(60), 0) << player.Report();
  EXPECT_TRUE(player.LogIs("C;A;B;")) << player.Report();
}

}  // namespace
}  // namespace rivo::e2e

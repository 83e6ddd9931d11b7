// Whole-player runs of the screen games: boxes that react to the mouse and
// the keyboard, their pixels in screenshots, and a growing scene whose
// frames must not depend on which rectangles were redrawn.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "e2e/game_runner.h"
#include "platform/read_png.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

std::string Script(const fs::path& scratch, const std::string& lines) {
  fs::path file = scratch / "input.txt";
  std::ofstream(file) << lines;
  return "--input '" + file.string() + "'";
}

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(ScreenGames, APressHeldOnOneBoxAndReleasedOverAnotherReleasesOnTheFirstOnly) {
  Scratch s;
  fs::path game = BuildGame("boxes", s.Path() / "game");
  PlayResult run = Play(game, "--ticks 12 " + Script(s.Path(), "3 move 30 30\n4 down left 30 30\n6 move 130 30\n"
                                                                   "8 up left 130 30\n"),
                        s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  // The key box has had the focus since the first tick.
  EXPECT_TRUE(run.HasVar("log", "string", "\"in:Key;downA;upA;\"")) << run.vars;
}

TEST(ScreenGames, ALeftIgnoringBoxLetsThePressThroughWhileHoverReportsIt) {
  Scratch s;
  fs::path game = BuildGame("boxes", s.Path() / "game");
  PlayResult run = Play(game, "--ticks 20 " + Script(s.Path(), "3 down left 300 230\n4 up left 300 230\n"
                                                                   "6 down left 150 50\n7 up left 150 50\n"
                                                                   "9 move 40 200\n11 down left 40 200\n"
                                                                   "12 up left 40 200\n"),
                        s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  // A press on the bare base raises nothing; one on B releases on B. The
  // press on the upper box goes to the box below (which the pointer is then
  // over), and the next tick hovers the upper box again.
  EXPECT_TRUE(run.HasVar("log", "string", "\"in:Key;upB;inUpper;downThrough;inUpper;\"")) << run.vars;
}

TEST(ScreenGames, AKeyHeldOneSecondOnTheFocusedBoxGoesDownAndRepeatsFrom300MsEvery50Ms) {
  Scratch s;
  fs::path game = BuildGame("boxes", s.Path() / "game");
  PlayResult run = Play(game, "--tick-ms 15 --ticks 100 " +
                                  Script(s.Path(), "5 down left 220 140\n6 up left 220 140\n"
                                                   "20 key down a\n87 key up a\n"),
                        s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  // Down and the first repeat in tick 20 (19 updates done), then repeats
  // from 300 ms on every 50 ms: 4, 3 and 3 ticks of 15 ms.
  EXPECT_TRUE(run.HasVar("log", "string",
                         "\"in:Key;kd19;kr19;kr39;kr43;kr46;kr49;kr53;kr56;kr59;kr63;kr66;kr69;kr73;kr76;kr79;kr83;"
                         "kr86;\""))
      << run.vars;
}

TEST(ScreenGames, TheClickFlagsStayForPressesNoBoxTookAndWritingClearsThem) {
  Scratch s;
  fs::path game = BuildGame("clicks", s.Path() / "game");
  // The loop samples the flags once a tick, as iteration n = tick - 1.
  PlayResult run = Play(game, "--ticks 45 " + Script(s.Path(), "5 down left 200 200\n6 up left 200 200\n"
                                                                   "10 down left 30 30\n11 up left 30 30\n"
                                                                   "15 down left 110 50\n16 up left 110 50\n"
                                                                   "20 down left 70 50\n21 up left 70 50\n"
                                                                   "25 down right 200 200\n26 up right 200 200\n"
                                                                   "30 down right 30 30\n31 up right 30 30\n"
                                                                   "35 down right 110 50\n36 up right 110 50\n"),
                        s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  // The bare base leaves the press to the scenario; the box without pages
  // takes it; the box that ignores left presses passes them to what lies
  // below it (the base, then the plain box) but takes right presses.
  EXPECT_TRUE(run.HasVar("left", "string", "\"4;14;\"")) << run.vars;
  EXPECT_TRUE(run.HasVar("right", "string", "\"24;\"")) << run.vars;
}

TEST(ScreenGames, BoxPixelsFollowTheOpacityRules) {
  Scratch s;
  fs::path game = BuildGame("boxes", s.Path() / "game");
  fs::path shot = s.Path() / "boxes.png";
  PlayResult run = Play(game, "--ticks 3 --screenshot-at 2:'" + shot.string() + "'", s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  FrameBuffer f = testing_png::ReadPng(shot);
  ASSERT_EQ(f.width, 320);
  EXPECT_EQ(f.At(200, 20), 0x00FF0000u);  // the 2-pixel red frame
  EXPECT_EQ(f.At(201, 59), 0x00FF0000u);
  EXPECT_EQ(f.At(202, 22), 0u);           // an untouched inside
  EXPECT_EQ(f.At(25, 125), 0x002B2B2Bu);  // white added with 300: 255 * 44 / 256
  EXPECT_EQ(f.At(85, 125), 0x007F0000u);  // red blended with 128
  EXPECT_EQ(f.At(145, 125), 0u);          // 512 draws nothing
}

TEST(ScreenGames, AChangingSceneGivesTheSameFramesWithOrWithoutRedrawingEverything) {
  Scratch s;
  fs::path game = BuildGame("scene", s.Path() / "game");
  // Boxes appear until tick 21; then they move, hide and show (tick 25),
  // change parents (29) and priorities (33), where a box appears that
  // releases itself when pressed (38) and moves another from its handler.
  const std::string input = Script(s.Path(), "8 move 30 30\n12 move 170 170\n21 down left 170 170\n"
                                             "22 up left 170 170\n38 down left 260 120\n39 up left 260 120\n");
  std::vector<int> ticks;
  for (int tick = 2; tick <= 44; tick += 2) ticks.push_back(tick);
  std::vector<std::string> frames[2];
  for (int all = 0; all < 2; ++all) {
    std::string shots;
    for (int tick : ticks) {
      fs::path file = s.Path() / ("f" + std::to_string(all) + "_" + std::to_string(tick) + ".png");
      shots += " --screenshot-at " + std::to_string(tick) + ":'" + file.string() + "'";
    }
    fs::path objects = s.Path() / "objects.json";
    // Each run keeps its variables in a save folder of its own.
    fs::path saves = s.Path() / ("save" + std::to_string(all));
    PlayResult run = Play(game, "--ticks 46 --save-dir '" + saves.string() + "' --dump-objects '" + objects.string() +
                                    "' " + input + shots +
                                    (all ? " --invalidate-all" : ""),
                          s.Path());
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_TRUE(run.HasVar("released", "integer", "1")) << run.vars;
    EXPECT_EQ(ReadFile(objects).find("\"Self\""), std::string::npos);
    for (int tick : ticks)
      frames[all].push_back(ReadFile(s.Path() / ("f" + std::to_string(all) + "_" + std::to_string(tick) + ".png")));
  }
  for (std::size_t i = 0; i < frames[0].size(); ++i) {
    EXPECT_FALSE(frames[0][i].empty()) << i;
    EXPECT_TRUE(frames[0][i] == frames[1][i]) << "frame at tick " << ticks[i] << " differs";
  }
  // The scene did change at every step.
  for (int tick : {20, 24, 28, 32, 36}) {
    const auto at = [&](int t) { return frames[0][static_cast<std::size_t>(t / 2 - 1)]; };
    EXPECT_FALSE(at(tick) == at(tick + 4)) << "nothing changed between ticks " << tick << " and " << tick + 4;
  }
}

}  // namespace
}  // namespace rivo::e2e

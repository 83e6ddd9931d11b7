// Whole-player runs of Flip: each frame of a running transition is the
// frame `rivotool wipe` gives for the same code and time from the pictures
// before and after; which controls each keep mode carries over; the frozen
// picture; release-old and cabinets; a reset that ends a flip at once.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>

#include "e2e/game_runner.h"
#include "graphics/picture_file.h"
#include "platform/read_png.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kTickMs = 16;  // the runner's virtual tick

std::string Quote(const fs::path& path) { return "'" + path.string() + "'"; }

// The game time of the trace line of page(line) (the first one), or -1.
int32_t TraceTime(const PlayResult& run, const std::string& page_line) {
  const int i = run.TraceIndex(" : " + page_line);
  if (i < 0) return -1;
  return static_cast<int32_t>(std::stoul(run.trace[static_cast<std::size_t>(i)].substr(0, 8), nullptr, 16));
}

std::string Shots(const fs::path& dir, const std::vector<int>& ticks) {
  std::string options;
  for (int tick : ticks) options += " --screenshot-at " + std::to_string(tick) + ":" + Quote(dir / (std::to_string(tick) + ".png"));
  return options;
}

// A transition of the game: its page line, code, duration and options.
struct Transition {
  std::string line;
  int code;
  int32_t duration;
  std::string options;
};

class FlipFade : public ::testing::Test {
 protected:
  void SetUp() override {
    game = BuildGame("flipfade", s.Path() / "game");
    // A grey ramp as the mask picture, made by our own tools.
    TDIBSurface ramp;
    ramp.SetSize(64, 48, 24);
    for (int32_t y = 0; y < 48; ++y)
      for (int32_t x = 0; x < 64; ++x) ramp.WritePixel(x, y, 0x010101u * static_cast<uint32_t>((x * 4 + y * 2) % 256));
    std::ofstream(s.Path() / "mask.png", std::ios::binary) << WritePictureFile(ramp, TPictureFormat::kPng);
    ASSERT_EQ(Execute(std::string(RIVO_BIN_DIR) + "/rivotool convert " + Quote(s.Path() / "mask.png") + " " +
                      Quote(game / "mask.orb")),
              0);
  }

  Scratch s;
  fs::path game;
};

TEST_F(FlipFade, EveryFrameOfATransitionIsTheToolsFrameOfTheSameTime) {
  // A first run finds when each flip begins.
  PlayResult probe = Play(game, "--ticks 120", s.Path());
  ASSERT_EQ(probe.exit_code, 0) << probe.err;
  const int32_t first = TraceTime(probe, "main.rsb(1)");  // the first tick's time
  const std::vector<Transition> transitions = {
      {"main.rsb(8)", 1, 500, ""},
      {"main.rsb(11)", 19, 400, " --reverse --mask " + Quote(game / "mask.orb")},
      {"main.rsb(14)", 2, 300, " --reverse --p0 10 --p1 4"},
  };
  std::vector<int> ticks;
  std::map<int, std::pair<std::size_t, int32_t>> frames;  // tick -> transition, time
  std::vector<int> before;
  for (std::size_t i = 0; i < transitions.size(); ++i) {
    const int32_t begin = TraceTime(probe, transitions[i].line);
    ASSERT_GE(begin, first) << transitions[i].line;
    const int begin_tick = 1 + (begin - first) / kTickMs;
    before.push_back(begin_tick - 1);
    ticks.push_back(begin_tick - 1);
    // The flip starts its clock one tick after it begins and shows time 0 until then.
    for (int j : {0, 2, 9, 17, 25}) {
      const int32_t t = std::max(0, (j - 1) * kTickMs);
      if (t >= transitions[i].duration) continue;
      ticks.push_back(begin_tick + j);
      frames[begin_tick + j] = {i, t};
    }
  }
  // The flip waits: the command after it comes once the duration has passed.
  EXPECT_GE(TraceTime(probe, "main.rsb(9)") - TraceTime(probe, "main.rsb(8)"), 500 + kTickMs);

  std::map<int, std::string> shots[2];
  for (int all = 0; all < 2; ++all) {
    const fs::path dir = s.Path() / ("run" + std::to_string(all));
    fs::create_directories(dir);
    PlayResult run = Play(game, "--ticks 120" + Shots(dir, ticks) + (all ? " --invalidate-all" : ""), s.Path());
    ASSERT_EQ(run.exit_code, 0) << run.err;
    for (int tick : ticks) {
      std::ifstream in(dir / (std::to_string(tick) + ".png"), std::ios::binary);
      shots[all][tick] = std::string(std::istreambuf_iterator<char>(in), {});
      ASSERT_FALSE(shots[all][tick].empty()) << tick;
    }
  }
  // Incremental frames equal full redraws, during the flips too.
  for (int tick : ticks) EXPECT_TRUE(shots[0][tick] == shots[1][tick]) << "tick " << tick;

  // The pictures: A before the first and third flips, B before the second.
  const fs::path dir = s.Path() / "run0";
  const fs::path pictures[2] = {dir / (std::to_string(before[0]) + ".png"), dir / (std::to_string(before[1]) + ".png")};
  EXPECT_EQ(testing_png::ReadPng(pictures[0]).At(10, 10), 0x00FF0000u);  // the red square
  EXPECT_EQ(testing_png::ReadPng(pictures[1]).At(35, 15), 0x0000FF00u);  // the green one
  EXPECT_TRUE(testing_png::ReadPng(dir / (std::to_string(before[2]) + ".png")).pixels ==
              testing_png::ReadPng(pictures[0]).pixels);
  for (const auto& [tick, frame] : frames) {
    const auto& [index, t] = frame;
    const Transition& tr = transitions[index];
    const fs::path& from = pictures[index == 1 ? 1 : 0];
    const fs::path& to = pictures[index == 1 ? 0 : 1];
    const fs::path expected = s.Path() / ("expected" + std::to_string(tick) + ".png");
    ASSERT_EQ(Execute(std::string(RIVO_BIN_DIR) + "/rivotool wipe " + std::to_string(tr.code) + " " + Quote(from) +
                      " " + Quote(to) + " " + Quote(expected) + " --t " + std::to_string(t) + " --duration " +
                      std::to_string(tr.duration) + tr.options),
              0);
    EXPECT_TRUE(testing_png::ReadPng(dir / (std::to_string(tick) + ".png")).pixels ==
                testing_png::ReadPng(expected).pixels)
        << "code " << tr.code << " tick " << tick << " t " << t;
  }
}

TEST(FlipKeep, KeepModesCarryControlsFrozenPicturesStayAndOldFrontsGo) {
  Scratch s;
  fs::path game = BuildGame("flipkeep", s.Path() / "game");
  // A first run finds when the flips that take time begin; events are then
  // sent into them.
  // Each run keeps its status (the log) in a save folder of its own.
  PlayResult probe = Play(game, "--ticks 200 --save-dir " + Quote(s.Path() / "probe"), s.Path());
  ASSERT_EQ(probe.exit_code, 0) << probe.err;
  const int32_t first = TraceTime(probe, "main.rsb(1)");
  const auto tick_of = [&](const std::string& line) { return 1 + (TraceTime(probe, line) - first) / kTickMs; };
  const int plain = tick_of("main.rsb(13)"), kept = tick_of("main.rsb(16)"), reset = tick_of("main.rsb(33)");
  ASSERT_GT(plain, 1);
  ASSERT_GT(kept, plain);
  ASSERT_GT(reset, kept);
  // Controls carried by flips without duration move in the flip's own tick.
  EXPECT_EQ(TraceTime(probe, "main.rsb(4)"), TraceTime(probe, "shown.rsb(40)"));

  const fs::path shots = s.Path() / "shots";
  fs::create_directories(shots);
  PlayResult run = Play(game,
                        "--ticks 200 --save-dir " + Quote(s.Path() / "run") + " --event " +
                            std::to_string(plain + 5) + ",count.rsb --event " +
                            std::to_string(kept + 5) + ",hold.rsb --event " + std::to_string(reset + 5) +
                            ",reset.rsb" + Shots(shots, {kept - 1, kept + 1, kept + 3, kept + 7, kept + 9}),
                        s.Path());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(run.HasVar("log", "string",
                         "\"X,Z;Y;X,Y,Z;X,Z;during:3;Y;held:4;held:4;after:3;X,Y,Z;"
                         "released:FALSETRUE;back:TRUE;Y;reset:FALSETRUE;X;\""))
      << run.vars;
  const auto shot = [&](int tick) { return testing_png::ReadPng(shots / (std::to_string(tick) + ".png")).pixels; };
  // At time 0 the frozen picture shows exactly what was there before,
  // though the control it showed has gone to the other base.
  EXPECT_TRUE(shot(kept - 1) == shot(kept + 1));
  EXPECT_FALSE(shot(kept - 1).empty());
  // While the handler waits the flip stands still, its frozen picture on screen.
  EXPECT_TRUE(shot(kept + 7) == shot(kept + 9));
  EXPECT_FALSE(shot(kept + 3) == shot(kept + 7));
  EXPECT_LT(run.TraceIndex("main.rsb(34)"), 0);
}

}  // namespace
}  // namespace rivo::e2e

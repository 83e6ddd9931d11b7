// The demo game (games/demo), packed as the build makes it, played from
// its start to its end by a scripted reader (games/demo/playthrough.input):
// the command trace, the variables and the frames at a dozen milestone
// ticks must equal the files kept in games/demo/expected. Frames are drawn
// with the test rasteriser, so installed font versions do not matter; a
// second run with the real fonts checks the trace and the variables, and
// listens to the sound the run records: the title's MIDI theme, the
// button clicks, the hummed ogg of the shore and its fade-out. Then
// the translator's round: the listings of the packed pages are the sources,
// and a dialogue line edited in a listing shows in the rebuilt game.
//
// When the demo changes on purpose, write the expected files anew with
//   RIVO_UPDATE_DEMO=1 build/test/bin/test_e2e --gtest_filter='DemoGame.*'

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "e2e/game_runner.h"
#include "e2e/recorded_sound.h"
#include "platform/read_png.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

// The title, Hoshino come in, the save screen, a blind half done, the hill,
// the ending, the load screen with the saved caption, scene 1 loaded back
// with the link's side remark, a mask fade and a random-block wipe half
// done, the title after Esc, the hill waiting on its timer, the gallery
// with the kept ending.
constexpr int kMilestones[] = {60, 330, 380, 520, 600, 700, 840, 1000, 1160, 1290, 1550, 2000, 2470};
constexpr int kLastTick = 2700;
constexpr int kTickMs = 15;

const fs::path kSources = fs::path(RIVO_SOURCE_DIR) / "games/demo";
const fs::path kExpected = kSources / "expected";
const fs::path kGame = fs::path(RIVO_BIN_DIR) / "../games/demo/game.dat";

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Quote(const fs::path& path) { return "'" + path.string() + "'"; }

bool Updating() { return std::getenv("RIVO_UPDATE_DEMO") != nullptr; }

std::string FrameName(int tick) { return "tick-" + std::to_string(tick) + ".png"; }

struct DemoRun {
  int exit_code = -1;
  std::string err, trace, vars;
};

// A copy of game in a folder of its own under dir: the player allows one run
// per game folder, and the tests play the demo side by side.
fs::path OwnCopy(const fs::path& game, const fs::path& dir) {
  fs::create_directories(dir / "game");
  fs::copy_file(game, dir / "game" / game.filename(), fs::copy_options::overwrite_existing);
  return dir / "game" / game.filename();
}

// One whole playthrough into dir (save folder included), with frames at the
// milestones when shots is set and its sound in dir/sound.wav when sound is.
DemoRun PlayDemo(const fs::path& original, const fs::path& dir, bool test_fonts, bool shots, bool sound = false) {
  fs::create_directories(dir);
  const fs::path game = OwnCopy(original, dir);
  std::string command = "timeout 300 " + std::string(RIVO_BIN_DIR) + "/rivoplay --headless --seed 1 --input " +
                        Quote(kSources / "playthrough.input") + " --ticks " + std::to_string(kLastTick) +
                        " --trace " + Quote(dir / "trace.txt") + " --dump-vars " + Quote(dir / "vars.json") +
                        " --save-dir " + Quote(dir) + (test_fonts ? " --test-fonts" : "") +
                        (sound ? " --audio-out " + Quote(dir / "sound.wav") : "");
  if (shots)
    for (int tick : kMilestones) command += " --screenshot-at " + std::to_string(tick) + ":" + Quote(dir / FrameName(tick));
  command += " " + Quote(game) + " 2>" + Quote(dir / "stderr.txt") + " >/dev/null";
  DemoRun run;
  run.exit_code = Execute(command);
  run.err = ReadFile(dir / "stderr.txt");
  run.trace = ReadFile(dir / "trace.txt");
  run.vars = ReadFile(dir / "vars.json");
  return run;
}

// The first differing line of two texts, for a readable failure.
std::string FirstDifference(const std::string& a, const std::string& b) {
  std::istringstream la(a), lb(b);
  std::string x, y;
  for (int line = 1;; ++line) {
    bool more_a = static_cast<bool>(std::getline(la, x)), more_b = static_cast<bool>(std::getline(lb, y));
    if (!more_a && !more_b) return "equal";
    if (!more_a || !more_b || x != y)
      return "line " + std::to_string(line) + ": expected \"" + x + "\", got \"" + y + "\"";
  }
}

// The ticks at which the trace shows a line of a page run, in order.
std::vector<int> TicksOf(const std::string& trace, const std::string& page_line) {
  std::vector<int> ticks;
  std::istringstream lines(trace);
  for (std::string line; std::getline(lines, line);)
    if (line.size() > 11 && line.substr(11) == page_line)
      ticks.push_back(static_cast<int>(std::stoul(line.substr(0, 8), nullptr, 16) / kTickMs));
  return ticks;
}

// Where the demo's listings make sound (and what silences it), as the trace
// of a playthrough shows it, checked against what the run recorded.
void ExpectTheSoundsOfThePlaythrough(const RecordedSound& sound, const std::string& trace) {
  // Quieter than this is silence: the synthesiser leaves a sample or two of
  // ±3 behind when it has nothing to play.
  constexpr int kSilence = 8;
  const std::vector<int> themes = TicksOf(trace, "title.rsb(144)");  // Sound "theme.mid", repeated
  const std::vector<int> theme_stops = TicksOf(trace, "title.rsb(154)");  // MovieStop "bgm", fade 600
  const std::vector<int> clicks = TicksOf(trace, "pick.rsb(71)");  // Sound "click.wav" on every button
  const std::vector<int> loads = TicksOf(trace, "saves.rsb(86)");  // GameLoad, which drops that click
  const std::vector<int> hums = TicksOf(trace, "shore.rsb(17)");   // Sound "voice.ogg", repeated
  const std::vector<int> hum_stops = TicksOf(trace, "shore.rsb(36)");  // MovieStop "hum", fade 1000
  ASSERT_FALSE(themes.empty() || theme_stops.empty() || clicks.empty() || hums.empty() || hum_stops.empty())
      << "the listings changed: name the lines that make sound anew";
  // Whatever starts a sound: the end of a silent stretch.
  std::vector<int> starts = themes;
  starts.insert(starts.end(), clicks.begin(), clicks.end());
  starts.insert(starts.end(), hums.begin(), hums.end());
  std::sort(starts.begin(), starts.end());
  auto next_start = [&](int tick) {
    auto next = std::upper_bound(starts.begin(), starts.end(), tick);
    return next == starts.end() ? sound.Ticks() : *next;
  };

  // The recording lasts as long as the run: to the end page's tick.
  EXPECT_NEAR(sound.Ticks(), TicksOf(trace, "end.rsb(1)").at(0), 2);
  EXPECT_EQ(sound.Peak(0, themes[0]), 0) << "sound before the title";
  for (int tick : themes)
    for (int block = tick + 1; block < tick + 51; block += 10)
      EXPECT_GT(sound.Rms(block, block + 10), 200) << "the theme is not heard at tick " << block;
  for (int tick : clicks) {
    if (std::binary_search(loads.begin(), loads.end(), tick)) continue;
    // Loud over silence and over the theme alike.
    EXPECT_GT(sound.Peak(tick, tick + 3), 15000) << "no click at tick " << tick;
    EXPECT_GT(sound.Peak(tick, tick + 3), 4 * sound.Peak(tick - 5, tick)) << "the click at tick " << tick;
  }
  for (int tick : theme_stops) {
    // 600 ms of fading (after the click that stops it), then silence till the next sound.
    EXPECT_GT(sound.Rms(tick + 3, tick + 13), sound.Rms(tick + 13, tick + 23)) << "tick " << tick;
    EXPECT_GT(sound.Rms(tick + 13, tick + 23), sound.Rms(tick + 23, tick + 33)) << "tick " << tick;
    const int quiet = tick + 600 / kTickMs + 2;
    EXPECT_LE(sound.Peak(quiet, next_start(quiet)), kSilence) << "ticks " << quiet << " to " << next_start(quiet);
  }
  for (int tick : hums) {
    EXPECT_LE(sound.Peak(tick - 10, tick), kSilence) << "sound before the hum at tick " << tick;
    auto stop = std::upper_bound(hum_stops.begin(), hum_stops.end(), tick);
    ASSERT_NE(stop, hum_stops.end()) << "the hum from tick " << tick << " is never stopped";
    EXPECT_GT(sound.Rms(tick + 3, *stop), 2000) << "the hum from tick " << tick;
  }
  for (int tick : hum_stops) {
    // The hum fades over 1000 ms as the scene changes: every step quieter, then silence.
    for (int block = tick; block < tick + 60; block += 10)
      EXPECT_GT(sound.Rms(block, block + 10), sound.Rms(block + 10, block + 20)) << "tick " << block;
    const int quiet = tick + 1000 / kTickMs + 2;
    EXPECT_LE(sound.Peak(quiet, next_start(quiet)), kSilence) << "ticks " << quiet << " to " << next_start(quiet);
  }
}

class DemoGame : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kGame)) GTEST_SKIP() << kGame << " is not built (target demo_game)";
  }
  Scratch scratch_;
};

TEST_F(DemoGame, APlaythroughOfEveryBranchGivesTheExpectedTraceVariablesAndFrames) {
  const fs::path dir = scratch_.Path() / "run";
  DemoRun run = PlayDemo(kGame, dir, true, true);
  ASSERT_EQ(run.exit_code, 0) << run.err;
  if (Updating()) {
    fs::create_directories(kExpected);
    fs::copy_file(dir / "trace.txt", kExpected / "trace.txt", fs::copy_options::overwrite_existing);
    fs::copy_file(dir / "vars.json", kExpected / "vars.json", fs::copy_options::overwrite_existing);
    for (const auto& old : fs::directory_iterator(kExpected))
      if (old.path().extension() == ".png") fs::remove(old.path());
    for (int tick : kMilestones) fs::copy_file(dir / FrameName(tick), kExpected / FrameName(tick));
    GTEST_SKIP() << "expected files written to " << kExpected;
  }
  const std::string trace = ReadFile(kExpected / "trace.txt"), vars = ReadFile(kExpected / "vars.json");
  EXPECT_TRUE(run.trace == trace) << FirstDifference(trace, run.trace);
  EXPECT_TRUE(run.vars == vars) << FirstDifference(vars, run.vars);
  for (int tick : kMilestones) {
    FrameBuffer want = testing_png::ReadPng(kExpected / FrameName(tick));
    FrameBuffer got = testing_png::ReadPng(dir / FrameName(tick));
    ASSERT_GT(want.width, 0) << "no expected frame " << FrameName(tick);
    ASSERT_EQ(got.width, want.width) << FrameName(tick);
    ASSERT_EQ(got.height, want.height) << FrameName(tick);
    std::size_t differing = 0, first = 0;
    for (std::size_t i = 0; i < want.pixels.size(); ++i)
      if (want.pixels[i] != got.pixels[i] && differing++ == 0) first = i;
    EXPECT_EQ(differing, 0u) << FrameName(tick) << " differs first at (" << first % static_cast<std::size_t>(want.width)
                             << ", " << first / static_cast<std::size_t>(want.width) << ")";
  }
}

TEST_F(DemoGame, WithTheRealFontsThePlaythroughTakesTheSameCourseAndItsSoundsPlay) {
  if (Updating()) GTEST_SKIP() << "the expected files come from the run with the test fonts";
  const fs::path dir = scratch_.Path() / "real";
  DemoRun run = PlayDemo(kGame, dir, false, false, true);
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string trace = ReadFile(kExpected / "trace.txt"), vars = ReadFile(kExpected / "vars.json");
  EXPECT_TRUE(run.trace == trace) << FirstDifference(trace, run.trace);
  EXPECT_TRUE(run.vars == vars) << FirstDifference(vars, run.vars);
  std::optional<RecordedSound> sound = RecordedSound::Read(dir / "sound.wav", kTickMs);
  ASSERT_TRUE(sound) << "no WAVE file of the mixer's format was recorded";
  ExpectTheSoundsOfThePlaythrough(*sound, run.trace);
}

// What a translator does: unpack the game, list its pages, edit a line of
// dialogue, assemble the page and pack the game again.
TEST_F(DemoGame, ListingsOfThePackedPagesAreTheSourcesAndAnEditedLineShowsInTheRebuiltGame) {
  const fs::path unpacked = scratch_.Path() / "unpacked";
  const std::string tool = std::string(RIVO_BIN_DIR) + "/rivotool ";
  std::string out;
  ASSERT_EQ(Execute(tool + "unpack " + Quote(kGame) + " " + Quote(unpacked) + " 2>&1", &out), 0) << out;
  int pages = 0;
  for (const auto& source : fs::directory_iterator(kSources)) {
    const std::string name = source.path().filename().string();
    if (name.size() < 8 || name.substr(name.size() - 8) != ".rsb.txt") continue;
    ++pages;
    const fs::path page = unpacked / name.substr(0, name.size() - 4);
    ASSERT_EQ(Execute(tool + "disasm " + Quote(page) + " 2>&1", &out), 0) << name << ": " << out;
    const std::string listing = ReadFile(source.path());
    EXPECT_TRUE(out == listing) << name << ": " << FirstDifference(listing, out);
  }
  EXPECT_GE(pages, 10);

  // The first line Hoshino says, in other words.
  const std::string before = ReadFile(kSources / "scene1.rsb.txt");
  const std::string old_line = "「ねえ、見て。窓の外、星がすごくきれい」";
  const std::string new_line = "「ほら、見て。今夜の空、星でいっぱい」";
  const std::size_t at = before.find(old_line);
  ASSERT_NE(at, std::string::npos);
  std::string edited = before;
  edited.replace(at, old_line.size(), new_line);
  std::ofstream(scratch_.Path() / "scene1.rsb.txt", std::ios::binary) << edited;
  ASSERT_EQ(Execute(tool + "asm " + Quote(scratch_.Path() / "scene1.rsb.txt") + " " + Quote(unpacked / "scene1.rsb") +
                        " 2>&1",
                    &out),
            0)
      << out;
  const fs::path rebuilt = scratch_.Path() / "rebuilt" / "game.dat";
  fs::create_directories(rebuilt.parent_path());
  ASSERT_EQ(Execute(tool + "pack " + Quote(unpacked) + " " + Quote(rebuilt) + " 2>&1", &out), 0) << out;

  // The line is typed out by the second milestone; the rest of the frame
  // stays as it was.
  const int tick = kMilestones[1];
  const fs::path shots = scratch_.Path() / "shots";
  fs::create_directories(shots);
  for (const fs::path& game : {OwnCopy(kGame, scratch_.Path() / "original"), rebuilt}) {
    const std::string name = game == rebuilt ? "new.png" : "old.png";
    fs::create_directories(shots / (name + ".saves"));
    ASSERT_EQ(Execute("timeout 120 " + std::string(RIVO_BIN_DIR) + "/rivoplay --headless --seed 1 --test-fonts --input " +
                      Quote(kSources / "playthrough.input") + " --ticks " + std::to_string(tick) + " --save-dir " +
                      Quote(shots / (name + ".saves")) + " --screenshot-at " + std::to_string(tick) + ":" + Quote(shots / name) + " " +
                      Quote(game) + " 2>&1 >/dev/null",
                      &out),
              0);
  }
  FrameBuffer old_frame = testing_png::ReadPng(shots / "old.png"), new_frame = testing_png::ReadPng(shots / "new.png");
  ASSERT_GT(old_frame.width, 0);
  ASSERT_EQ(new_frame.width, old_frame.width);
  // Only the message window (20, 334)-(620, 466) may change, and it must.
  int inside = 0, outside = 0;
  for (int32_t y = 0; y < old_frame.height; ++y)
    for (int32_t x = 0; x < old_frame.width; ++x)
      if (old_frame.At(x, y) != new_frame.At(x, y)) ++(x >= 20 && x < 620 && y >= 334 && y < 466 ? inside : outside);
  EXPECT_GT(inside, 0);
  EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace rivo::e2e

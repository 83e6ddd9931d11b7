// The look-ahead loader in a whole player: the packed demo played through
// its first scenes with and without loading ahead gives the same command
// trace, the same variables and the same frames, pixel for pixel, while
// the run with it really takes pictures and pages from it. And the wait
// before the first frame: once it ends, the pictures of the game's first
// screen are decoded.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "content/vr_file_manager.h"
#include "host/game_file_manager.h"
#include "host/game_parts.h"
#include "host/look_ahead.h"
#include "host/player_process.h"
#include "platform/private_temp_folder.h"
#include "scenario/project_file.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;

// Through the title (tick 2), the gallery and back (150), scene 1 (217) and
// the save screen (362): every kind of load the demo has, each frame shot
// just after.
constexpr int kShots[] = {2, 3, 102, 151, 152, 218, 219, 274, 363, 364, 420};
constexpr int kTicks = 430;

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Notes, every tick, how much the look-ahead loader has handed over.
class CountingFiles : public ContentStage {
 public:
  CountingFiles(std::unique_ptr<ContentStage> inner, int32_t& served)
      : inner_(std::move(inner)), files_(dynamic_cast<GameFileManager*>(inner_.get())), served_(served) {}
  void Mount(const GameLocation& game) override { inner_->Mount(game); }
  void Tick(int32_t frame_delta_ms) override {
    // The worker runs at background rank: on a machine busy with other
    // tests it may fall far behind the player and hand over nothing. Let it
    // work through its plan first (within a bound for the whole run), so
    // that the playthrough takes what it prepared.
    if (files_ && files_->Ahead()) {
      while (!files_->Ahead()->Idle() && waited_ < std::chrono::seconds(20)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        waited_ += std::chrono::milliseconds(1);
      }
    }
    inner_->Tick(frame_delta_ms);
    if (files_ && files_->Ahead()) served_ = files_->Ahead()->Served();
  }

 private:
  std::unique_ptr<ContentStage> inner_;
  GameFileManager* files_;
  int32_t& served_;
  std::chrono::milliseconds waited_{0};
};

class CountingParts : public GameParts {
 public:
  std::unique_ptr<ContentStage> CreateFileManager(PlayerContext& ctx) override {
    return std::make_unique<CountingFiles>(GameParts::CreateFileManager(ctx), served);
  }
  int32_t served = 0;
};

struct Playthrough {
  int code = -1;
  std::string err, trace, vars;
  std::vector<std::string> frames;
  int32_t served = 0;
};

Playthrough Play(const fs::path& dir, bool look_ahead) {
  const fs::path game = dir / "game" / "game.dat";
  fs::create_directories(game.parent_path());
  fs::copy_file(fs::path(RIVO_BIN_DIR) / "../games/demo/game.dat", game);
  std::vector<std::string> args{"--headless", "--seed", "1", "--test-fonts", "--ticks", std::to_string(kTicks),
                                "--input", (fs::path(RIVO_SOURCE_DIR) / "games/demo/playthrough.input").string(),
                                "--trace", (dir / "trace.txt").string(), "--dump-vars", (dir / "vars.json").string(),
                                "--save-dir", dir.string()};
  for (int tick : kShots) {
    args.push_back("--screenshot-at");
    args.push_back(std::to_string(tick) + ":" + (dir / (std::to_string(tick) + ".png")).string());
  }
  args.push_back(game.string());
  CountingParts parts;
  parts.SetLookAhead(look_ahead);
  std::ostringstream out, err;
  Playthrough run;
  run.code = RunPlayerProcess(args, parts, out, err);
  run.err = err.str();
  run.trace = ReadAll(dir / "trace.txt");
  run.vars = ReadAll(dir / "vars.json");
  for (int tick : kShots) run.frames.push_back(ReadAll(dir / (std::to_string(tick) + ".png")));
  run.served = parts.served;
  return run;
}

TEST(LookAhead, TheDemoPlaysTheSameWithAndWithoutLoadingAhead) {
  if (!fs::exists(fs::path(RIVO_BIN_DIR) / "../games/demo/game.dat")) GTEST_SKIP() << "the build packed no demo";
  PrivateTempFolder scratch;
  const Playthrough plain = Play(scratch.Path() / "plain", false);
  const Playthrough ahead = Play(scratch.Path() / "ahead", true);
  ASSERT_EQ(plain.code, 0) << plain.err;
  ASSERT_EQ(ahead.code, 0) << ahead.err;
  EXPECT_EQ(plain.served, 0);
  // The title's eight pictures at least, and the pages after it.
  EXPECT_GT(ahead.served, 8);
  EXPECT_NE(plain.trace.find("saves.rsb"), std::string::npos);
  EXPECT_EQ(ahead.trace, plain.trace);
  EXPECT_EQ(ahead.vars, plain.vars);
  for (std::size_t i = 0; i < std::size(kShots); ++i) {
    EXPECT_FALSE(plain.frames[i].empty()) << "tick " << kShots[i];
    EXPECT_EQ(ahead.frames[i], plain.frames[i]) << "tick " << kShots[i];
  }
}

TEST(LookAhead, OnceTheWaitForTheFirstSceneEndsItsPicturesAreDecoded) {
  const fs::path demo = fs::path(RIVO_BIN_DIR) / "../games/demo/game.dat";
  if (!fs::exists(demo)) GTEST_SKIP() << "the build packed no demo";
  PrivateTempFolder scratch;
  fs::create_directories(scratch.Path() / "temp");
  TVrFileManager files(scratch.Path() / "temp", scratch.Path() / "mounts");
  files.MountArchive({});
  files.SetBaseFolder(scratch.Path());
  files.MountArchive(demo);
  const int32_t code =
      ProjectFile::Read(files.ReadWithOrigin("rivo.rpb").value().bytes, "rivo.rpb").identification_code;
  LookAhead ahead(files);
  ahead.Start();
  // The start page opens the title, whose eight pictures are the first screen.
  ASSERT_TRUE(ahead.AwaitFirstScene(std::chrono::steady_clock::now() + std::chrono::seconds(30)));
  ahead.YieldToPlayer();
  for (const char* picture : {"sky.orb", "title.orb", "button.orb", "button_hover.orb", "button_down.orb",
                              "toggle.orb", "toggle_on.orb", "digits.orb"})
    EXPECT_TRUE(ahead.TakePrepared(picture, code)) << picture;
}

TEST(LookAhead, WithoutAStartPageNothingIsWaitedFor) {
  PrivateTempFolder scratch;
  fs::create_directories(scratch.Path() / "temp");
  TVrFileManager files(scratch.Path() / "temp", scratch.Path() / "mounts");
  files.MountArchive({});
  files.SetBaseFolder(scratch.Path());
  LookAhead ahead(files);
  ahead.Start();
  EXPECT_TRUE(ahead.AwaitFirstScene(std::chrono::steady_clock::now() + std::chrono::seconds(30)));
}

}  // namespace
}  // namespace rivo

// Whole-player runs of game saves: a first run saves (slot 3 twice, the
// second time from an event handler that waits in turn, in the middle of
// the main process's Wait, with a load page), a second run over the same
// folder loads slot 3 and goes on from where the first one saved, as the
// first one did.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "e2e/game_runner.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

// The game time (ms) of the first trace line that ends with what.
int32_t TimeOf(const PlayResult& run, const std::string& what) {
  for (const std::string& line : run.trace)
    if (line.ends_with(what)) return static_cast<int32_t>(std::stoul(line.substr(0, 8), nullptr, 16));
  ADD_FAILURE() << what << " is not in the trace";
  return -1;
}

TEST(SaveGames, ASecondRunGoesOnFromTheSlotTheFirstSaved) {
  Scratch s;
  fs::path game = BuildGame("saves", s.Path() / "game");
  PlayResult first = Play(game, "--event 10,save.rsb", s.Path());
  ASSERT_EQ(first.exit_code, 0) << first.err;
  EXPECT_TRUE(first.HasVar("log", "string", "\"handler;handler after save;main after wait;\"")) << first.vars;
  EXPECT_TRUE(first.HasVar("count", "integer", "1")) << first.vars;
  EXPECT_TRUE(first.HasVar("caps", "string", "[\"second\"]")) << first.vars;

  PlayResult second = Play(game, "", s.Path());
  ASSERT_EQ(second.exit_code, 0) << second.err;
  // Game variables come from the slot; the status variable counts both runs.
  EXPECT_TRUE(second.HasVar("runs", "integer", "2")) << second.vars;
  EXPECT_TRUE(second.HasVar("g", "integer", "42")) << second.vars;
  // The load page ran from its label, the handler went on after its save
  // and returned to the waiting main process.
  EXPECT_TRUE(second.HasVar("log", "string", "\"handler;lp;handler after save;main after wait;\"")) << second.vars;
  EXPECT_TRUE(second.HasVar("count", "integer", "1")) << second.vars;
  EXPECT_TRUE(second.HasVar("slots", "integer", "[3]")) << second.vars;
  EXPECT_EQ(second.TraceIndex("main.rsb(8)"), -1);  // the loaded game never went back to before its save
  // The Wait went on with the time it had left.
  EXPECT_EQ(TimeOf(second, "main.rsb(12)") - TimeOf(second, "save.rsb(23)"),
            TimeOf(first, "main.rsb(12)") - TimeOf(first, "save.rsb(23)"));

  std::string listing;
  const std::string save = "'" + (game / "save.dat").string() + "'";
  EXPECT_EQ(Execute(std::string(RIVO_BIN_DIR) + "/rivotool save ls " + save, &listing), 0);
  EXPECT_NE(listing.find("slot 3\tversion 138\tsecond\tload page lp.rsb at 1\tsave.rsb command 2 line 22"),
            std::string::npos)
      << listing;
  EXPECT_EQ(listing.find("slot 4"), std::string::npos) << listing;
  // The dump shows the save's call stack and its game variables.
  std::string dump;
  EXPECT_EQ(Execute(std::string(RIVO_BIN_DIR) + "/rivotool save dump " + save + " 3", &dump), 0);
  EXPECT_NE(dump.find("\"state\": 2, \"event_level\": 2"), std::string::npos) << dump;
  EXPECT_NE(dump.find("{\"page\": \"main.rsb\", \"return_pc\": 10, \"started\": true"), std::string::npos) << dump;
  EXPECT_NE(dump.find("\"g\": {\"kind\": \"integer\", \"value\": 42}"), std::string::npos) << dump;
}

// With WriteStatusFile off, game saves are still written, and the status
// entry on disk stays as it was.
TEST(SaveGames, WithWriteStatusOffTheStatusEntryStaysAsItWas) {
  Scratch s;
  fs::path game = BuildGame("saves", s.Path() / "game");
  ASSERT_EQ(Play(game, "", s.Path()).exit_code, 0);  // status: runs 1
  fs::path source = s.Path() / "source";
  fs::copy(fs::path(RIVO_SOURCE_DIR) / "tests/e2e/games/saves", source);
  std::ofstream(source / "rivo.rpb.txt", std::ios::app) << "write-status 0\n";
  fs::path quiet = BuildSources(source, s.Path() / "quiet");
  fs::copy_file(game / "save.dat", quiet / "save.dat");
  PlayResult run = Play(quiet, "--event 10,save.rsb", s.Path());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(run.HasVar("runs", "integer", "2")) << run.vars;
  std::string listing;
  EXPECT_EQ(Execute(std::string(RIVO_BIN_DIR) + "/rivotool save ls --json '" + (quiet / "save.dat").string() + "'",
                    &listing),
            0);
  EXPECT_NE(listing.find("\"caption\": \"second\""), std::string::npos) << listing;
  EXPECT_NE(listing.find("\"runs\": {\"kind\": \"integer\", \"value\": 1}"), std::string::npos) << listing;
}

}  // namespace
}  // namespace rivo::e2e

// Whole-player runs over the same game folder twice: the status data in
// "save.dat" carries status variables from one run into the next, and a
// damaged file neither stops the game nor gets written over.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "e2e/game_runner.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

int CountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(StatusGames, StatusVariablesSurviveTheExitAndTheNextStart) {
  Scratch s;
  fs::path game = BuildGame("status", s.Path() / "game");
  PlayResult first = Play(game, "", s.Path());
  ASSERT_EQ(first.exit_code, 0) << first.err;
  EXPECT_TRUE(first.HasVar("runs", "integer", "1")) << first.vars;
  ASSERT_TRUE(fs::exists(game / "save.dat"));
  PlayResult second = Play(game, "", s.Path());
  ASSERT_EQ(second.exit_code, 0) << second.err;
  EXPECT_TRUE(second.HasVar("runs", "integer", "2")) << second.vars;
  EXPECT_TRUE(second.HasVar("ratio", "real", "6")) << second.vars;
  // Nothing is left beside the file by the replacing write.
  EXPECT_FALSE(fs::exists(game / "save.dat.bak"));
  // rivotool reads the same file.
  std::string listing;
  const std::string save = "'" + (game / "save.dat").string() + "'";
  EXPECT_EQ(Execute(std::string(RIVO_BIN_DIR) + "/rivotool save ls --json " + save, &listing), 0);
  EXPECT_NE(listing.find("\"version\": 103"), std::string::npos) << listing;
  EXPECT_NE(listing.find("\"runs\": {\"kind\": \"integer\", \"value\": 2}"), std::string::npos) << listing;
  EXPECT_EQ(Execute(std::string(RIVO_BIN_DIR) + "/rivotool save dump " + save + " 3 2>/dev/null"), 3);
}

TEST(StatusGames, SaveDirHoldsTheSaveFileInsteadOfTheGameFolder) {
  Scratch s;
  fs::path game = BuildGame("status", s.Path() / "game");
  fs::path saves = s.Path() / "saves" / "nested";
  const std::string option = "--save-dir '" + saves.string() + "'";
  ASSERT_EQ(Play(game, option, s.Path()).exit_code, 0);
  PlayResult second = Play(game, option, s.Path());
  EXPECT_TRUE(second.HasVar("runs", "integer", "2")) << second.vars;
  EXPECT_TRUE(fs::exists(saves / "save.dat"));
  EXPECT_FALSE(fs::exists(game / "save.dat"));
}

TEST(StatusGames, ADamagedSaveFileStartsTheGameWarnsOnceAndStaysAsItWas) {
  Scratch s;
  fs::path game = BuildGame("status", s.Path() / "game");
  const char bytes[] = "vf\x66\0\0\0 this is not an archive";
  const std::string damaged(bytes, sizeof bytes - 1);
  std::ofstream(game / "save.dat", std::ios::binary) << damaged;
  PlayResult run = Play(game, "", s.Path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(run.HasVar("runs", "integer", "1")) << run.vars;
  EXPECT_EQ(CountOf(run.err, "cannot be read"), 1) << run.err;
  EXPECT_EQ(Contents(game / "save.dat"), damaged);
}

TEST(StatusGames, WithWriteStatusOffNoStatusIsWritten) {
  Scratch s;
  fs::path source = s.Path() / "source";
  fs::copy(fs::path(RIVO_SOURCE_DIR) / "tests/e2e/games/status", source);
  std::ofstream(source / "rivo.rpb.txt", std::ios::app) << "write-status 0\n";
  fs::path game = BuildSources(source, s.Path() / "game");
  ASSERT_EQ(Play(game, "", s.Path()).exit_code, 0);
  PlayResult second = Play(game, "", s.Path());
  EXPECT_TRUE(second.HasVar("runs", "integer", "1")) << second.vars;
  EXPECT_FALSE(fs::exists(game / "save.dat"));
}

}  // namespace
}  // namespace rivo::e2e

// Whole-player runs of games/objects: timers, property motions, property
// access errors, deletion and cabinets, seen through the variables and the
// object dump the run leaves.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "e2e/game_runner.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

TEST(ObjectGames, TimersMotionsPropertyErrorsDeletionAndCabinets) {
  Scratch s;
  fs::path game = BuildGame("objects", s.Path() / "game");
  const fs::path dump = s.Path() / "objects.json";
  PlayResult run = Play(game, "--ticks 400 --dump-objects '" + dump.string() + "'", s.Path());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  // Made at 16 ms, the timer fires in the first ticks at or after 1016 and
  // 2016 ms (1024, 2016); its handler runs in the tick after.
  EXPECT_TRUE(run.HasVar("fires", "string", "\"1040,2032,\"")) << run.vars;
  // The second "t1" released the first: three timers live at 500 ms.
  EXPECT_TRUE(run.HasVar("timers", "integer", "3")) << run.vars;
  // Halfway through a linear motion from 0 to 1000, and past 700 slowing down.
  EXPECT_TRUE(run.HasVar("half", "integer", "496")) << run.vars;
  EXPECT_TRUE(run.HasVar("dec", "integer", "702")) << run.vars;
  EXPECT_TRUE(run.HasVar("late", "integer", "1000")) << run.vars;
  // GetProp of 163 and -1 fail and leave the variable; SetProp of PR_APPEARX
  // fails quietly; ObjDel makes Exists false at once.
  EXPECT_TRUE(run.HasVar("untouched", "integer", "7")) << run.vars;
  EXPECT_TRUE(run.HasVar("gone", "flag", "false")) << run.vars;
  EXPECT_TRUE(run.HasVar("cabinets", "integer", "0")) << run.vars;
  // The handler whose timer destroyed itself went on after its call
  // returned, as a handler: its sender reads "".
  EXPECT_TRUE(run.HasVar("after", "integer", "1")) << run.vars;
  EXPECT_TRUE(run.HasVar("sender", "string", "\"[]\"")) << run.vars;

  std::ifstream in(dump, std::ios::binary);
  std::stringstream json;
  json << in.rdbuf();
  const std::string objects = json.str();
  EXPECT_NE(objects.find("\"type\": \"LT_TIMER\", \"name\": \"t1\""), std::string::npos) << objects;
  EXPECT_NE(objects.find("\"PR_DELAY\": 1000"), std::string::npos) << objects;
  for (const char* gone : {"\"slower\"", "\"self\"", "\"pm\"", "\"cab\""})
    EXPECT_EQ(objects.find(gone), std::string::npos) << gone << objects;
}

}  // namespace
}  // namespace rivo::e2e

// Whole-player run of SaveScreen: a picture saved into memory and shown by
// an image in place of what it was taken from gives the very same frame.

#include <gtest/gtest.h>

#include "e2e/game_runner.h"
#include "platform/read_png.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

TEST(SaveScreenGames, AnImageOfTheSavedScreenShowsTheBasePixelForPixel) {
  Scratch s;
  fs::path game = BuildGame("saveshot", s.Path() / "game");
  const fs::path before = s.Path() / "before.png", after = s.Path() / "after.png";
  PlayResult run = Play(game,
                        "--ticks 16 --screenshot-at 5:'" + before.string() + "' --screenshot-at 15:'" +
                            after.string() + "'",
                        s.Path());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(run.HasVar("saved", "flag", "true")) << run.vars;
  EXPECT_TRUE(run.HasVar("refused", "flag", "false")) << run.vars;
  const FrameBuffer shot = testing_png::ReadPng(before);
  ASSERT_EQ(shot.width, 64);
  // The scene has blends and adds: a picture that lost anything would differ.
  EXPECT_NE(shot.At(10, 8), shot.At(1, 1));
  EXPECT_NE(shot.At(25, 20), shot.At(10, 8));
  EXPECT_TRUE(testing_png::ReadPng(after).pixels == shot.pixels);
  EXPECT_FALSE(fs::exists(game / "out.orb"));
  EXPECT_FALSE(fs::exists(s.Path() / "out.orb"));
}

}  // namespace
}  // namespace rivo::e2e

// The order of one frame tick.

#include "host/frame_tick.h"

#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/player_context.h"
#include "media/screen_manager.h"
#include "platform/listed_display_modes.h"
#include "recording_parts.h"

namespace rivo {
namespace {

using ::testing::ElementsAre;
using testing_host::CallLog;

class FrameTickTest : public ::testing::Test {
 protected:
  FrameTickTest() : file_manager_(log_), screen_(log_), project_(log_, ctx_), media_(log_) {
    ctx_.log = &diagnostics_;
    ctx_.FrameDeltaMs = 15;
  }
  bool Tick() { return RunFrameTick(ctx_, {&file_manager_, &screen_, &project_, &media_, &manager_}); }
  // How many of n ticks composed a frame.
  int Composed(int n) {
    int composed = 0;
    for (int i = 0; i < n; ++i) composed += Tick() ? 1 : 0;
    return composed;
  }

  CallLog log_;
  std::ostringstream diagnostics_;
  PlayerContext ctx_;
  testing_host::RecordingFileManager file_manager_;
  testing_host::RecordingScreen screen_;
  testing_host::RecordingProject project_;
  testing_host::RecordingMedia media_;
  ListedDisplayModes modes_{{}, 32};
  TScreenManager manager_{modes_, nullptr, 8, 6, 0, 0};
};

TEST_F(FrameTickTest, RunsTheStagesInTheirFixedOrder) {
  EXPECT_TRUE(Tick());
  EXPECT_THAT(log_, ElementsAre("file manager tick 15", "input", "interpreter", "update", "load", "save", "compose",
                                "clear rects", "video"));
  EXPECT_EQ(ctx_.UpdateCount, 1);
  EXPECT_EQ(manager_.DrawSurface().GetPixel(0, 0), 0x00FFFFFFu);
  EXPECT_EQ(manager_.PresentCount(), 1);
}

TEST_F(FrameTickTest, DoesNothingWithoutAProject) {
  EXPECT_FALSE(RunFrameTick(ctx_, {&file_manager_, &screen_, nullptr, &media_, &manager_}));
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(ctx_.UpdateCount, 0);
}

TEST_F(FrameTickTest, StopsAfterTheInterpreterWhenTerminating) {
  project_.terminate_in_step = true;
  EXPECT_FALSE(Tick());
  EXPECT_THAT(log_, ElementsAre("file manager tick 15", "input", "interpreter"));
  EXPECT_EQ(ctx_.UpdateCount, 0);
}

TEST_F(FrameTickTest, ALoadedGameSkipsCompositionForOneTick) {
  project_.load_next = true;
  EXPECT_FALSE(Tick());
  EXPECT_THAT(log_, ElementsAre("file manager tick 15", "input", "interpreter", "update", "load", "save"));
  EXPECT_EQ(ctx_.UpdateCount, 1);
  EXPECT_EQ(ctx_.PresentSkip, 0);
  EXPECT_TRUE(Tick());
}

TEST_F(FrameTickTest, FrameDividerFourComposesEveryFourthTickWhileEveryTickUpdates) {
  ctx_.FrameDivider = 4;
  std::vector<bool> composed;
  for (int i = 0; i < 8; ++i) composed.push_back(Tick());
  EXPECT_EQ(composed, (std::vector<bool>{false, false, false, true, false, false, false, true}));
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "update"), 8);
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "interpreter"), 8);
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "compose"), 2);
  EXPECT_EQ(ctx_.UpdateCount, 8);
}

TEST_F(FrameTickTest, ANonPositiveFrameDividerComposesEveryTick) {
  ctx_.FrameDivider = 0;
  EXPECT_EQ(Composed(3), 3);
}

TEST_F(FrameTickTest, TheInvalidateAllSwitchMarksEverythingDirtyBeforeEachComposition) {
  ctx_.options.invalidate_all = true;
  ctx_.FrameDivider = 2;
  Tick();
  Tick();
  EXPECT_THAT(log_, ElementsAre("file manager tick 15", "input", "interpreter", "update", "load", "save",
                                "file manager tick 15", "input", "interpreter", "update", "load", "save",
                                "invalidate all", "compose", "clear rects", "video"));
}

TEST_F(FrameTickTest, AStageThatThrowsIsLoggedAndTheTickGoesOn) {
  screen_.throw_in_update = true;
  EXPECT_TRUE(Tick());
  EXPECT_THAT(log_, ElementsAre("file manager tick 15", "input", "interpreter", "update", "load", "save", "compose",
                                "clear rects", "video"));
  EXPECT_NE(diagnostics_.str().find("object update: broken object"), std::string::npos) << diagnostics_.str();
}

}  // namespace
}  // namespace rivo

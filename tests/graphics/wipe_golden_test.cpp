// Golden frames of every transition: t = T/4, T/2 and 3T/4 of the fixed
// pair of pictures (128 x 96, T = 1000 ms, default parameters, the grey
// ramp as mask picture, seed 7), stored as hashes of the pixels after each
// frame was looked at once. Any time in any order gives the same frame.

#include <gtest/gtest.h>

#include <cstdio>

#include "graphics/wipe_codes.h"
#include "wipe_fixture.h"

namespace rivo {
namespace {

using testing::WipeStage;

constexpr int32_t kTimes[3] = {250, 500, 750};

// Indexed by code; row 0 (no wipe) is unused.
constexpr uint64_t kGolden[kWipeCodeCount][3] = {
#include "wipe_golden_table.inc"
};

TWipeRequest Request(int32_t code) {
  TWipeRequest r;
  r.code = code;
  r.duration = 1000;
  r.mask_name = "mask";
  return r;
}

TEST(WipeGolden, EveryCodeShowsItsRecordedFrames) {
  for (int32_t code = 1; code < kWipeCodeCount; ++code) {
    WipeStage stage(128, 96);
    ASSERT_NE(stage.Start(Request(code)), nullptr) << code;
    for (int i = 0; i < 3; ++i) {
      const uint64_t hash = stage.FrameAt(kTimes[i]);
      EXPECT_EQ(hash, kGolden[code][i])
          << WipeCodeInfo(code)->name << " at t = " << kTimes[i] << ": 0x" << std::hex << hash;
    }
  }
}

TEST(WipeGolden, FramesDoNotDependOnTheOrderOfTimes) {
  constexpr int32_t kForward[] = {0, 250, 500, 750, 999};
  for (int32_t code = 1; code < kWipeCodeCount; ++code) {
    WipeStage forward(128, 96), shuffled(128, 96);
    forward.Start(Request(code));
    shuffled.Start(Request(code));
    uint64_t expected[5];
    for (int i = 0; i < 5; ++i) expected[i] = forward.FrameAt(kForward[i]);
    for (int i : {4, 3, 0, 2, 1, 3}) {
      EXPECT_EQ(shuffled.FrameAt(kForward[i]), expected[i])
          << WipeCodeInfo(code)->name << " at t = " << kForward[i];
    }
  }
}

}  // namespace
}  // namespace rivo

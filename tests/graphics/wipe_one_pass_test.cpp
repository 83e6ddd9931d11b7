// Transitions that compose their frame in one pass: the fade against the
// copy-then-blend it replaces, and every wipe's frame written whole, which
// lets the screen start a transition without copying the screen first.

#include <gtest/gtest.h>

#include <climits>

#include "common/numbers.h"
#include "graphics/wipe_codes.h"
#include "surface_fixture.h"
#include "wipe_fixture.h"

namespace rivo {
namespace {

using testing::WipeStage;

// The fade as it was drawn in two steps: old copied, then new drawn over it
// at alpha 256 t / T from the offset (p0, p1) scaled by (T - t - 1) / T.
std::vector<uint32_t> TwoStepFade(const WipeStage& stage, int32_t p0, int32_t p1, int32_t t, int32_t duration) {
  TDIBX screen;
  screen.SetSize(stage.screen.Width(), stage.screen.Height(), 32);
  const long double f = static_cast<long double>(duration - t - 1) / duration;
  screen.Assign(*stage.old_picture);
  screen.DrawAlpha(RoundToInt32(p0 * f), RoundToInt32(p1 * f), static_cast<int32_t>(int64_t{256} * t / duration), false, false,
                   false, stage.new_picture->GetBounds(), *stage.new_picture);
  return testing::PixelsOf(screen);
}

TEST(WipeOnePass, TheFadeGivesTheTwoStepFrameForEveryOffsetSizeAndTime) {
  struct Size {
    int32_t w, h;
  };
  struct Offset {
    int32_t p0, p1;
  };
  // Odd widths leave a tail after the last whole vector; offsets put new
  // beside, across and beyond every edge of the screen.
  const Size sizes[] = {{1, 1}, {7, 3}, {9, 5}, {33, 17}, {64, 2}};
  const Offset offsets[] = {{0, 0},     {3, 0},       {0, -2},         {-5, 4},        {40, 1},
                            {-40, -40}, {1000, 1000}, {INT_MAX, 3},    {INT_MIN, INT_MIN}, {-7, 0}};
  constexpr int32_t kDuration = 100;
  for (const Size size : sizes)
    for (const Offset offset : offsets) {
      WipeStage stage(size.w, size.h);
      // Rows and columns where the pictures agree stay as they are.
      for (int32_t x = 0; x < size.w; ++x) stage.new_picture->SetPixel(x, 0, stage.old_picture->GetPixel(x, 0));
      for (int32_t y = 0; y < size.h; ++y) stage.new_picture->SetPixel(0, y, stage.old_picture->GetPixel(0, y));
      TWipeRequest request;
      request.code = WP_FADE;
      request.duration = kDuration;
      request.p0 = offset.p0;
      request.p1 = offset.p1;
      stage.Start(request);
      for (int32_t t : {0, 1, 2, 33, 50, 98, 99}) {
        stage.screen.Clear(0x123456);
        stage.FrameAt(t);
        ASSERT_EQ(testing::PixelsOf(stage.screen), TwoStepFade(stage, offset.p0, offset.p1, t, kDuration))
            << size.w << "x" << size.h << " offset " << offset.p0 << "," << offset.p1 << " t=" << t;
      }
    }
}

TEST(WipeOnePass, TheFirstFrameOfAFadeIsOld) {
  WipeStage stage(13, 7);
  TWipeRequest request;
  request.code = WP_FADE;
  request.duration = 500;
  request.p0 = 4;
  request.p1 = -3;
  stage.Start(request);
  stage.FrameAt(0);
  EXPECT_EQ(testing::PixelsOf(stage.screen), testing::PixelsOf(*stage.old_picture));
}

// Whatever the screen held before, a wipe's first step (at any time) writes
// every pixel of its frame.
TEST(WipeOnePass, EveryWipeWritesItsWholeFirstFrame) {
  for (int32_t code = 1; code < kWipeCodeCount; ++code)
    for (int32_t t : {0, 1, 250, 500, 999}) {
      uint64_t frames[2];
      for (int i = 0; i < 2; ++i) {
        WipeStage stage(37, 21);
        stage.screen.Clear(i == 0 ? 0x000000 : 0xFFFFFF);
        TWipeRequest request;
        request.code = code;
        request.duration = 1000;
        request.mask_name = "mask";
        stage.Start(request);
        frames[i] = stage.FrameAt(t);
      }
      EXPECT_EQ(frames[0], frames[1]) << WipeCodeInfo(code)->name << " at t = " << t;
    }
}

}  // namespace
}  // namespace rivo

// Transitions: the code table and factory, the life of a wipe (parameters,
// clamps, time, done), and exact frames of the wipes whose results can be
// worked out by hand.

#include <gtest/gtest.h>

#include <climits>

#include "graphics/wipe_codes.h"
#include "graphics/wipe_factory.h"
#include "graphics/wipe_pixels.h"
#include "surface_fixture.h"
#include "wipe_fixture.h"

namespace rivo {
namespace {

using testing::WipeStage;

TWipeRequest Request(int32_t code, int32_t duration = 1000) {
  TWipeRequest r;
  r.code = code;
  r.duration = duration;
  return r;
}

uint32_t Pixel(const TDIBX& s, int32_t x, int32_t y) { return s.GetPixel(x, y); }

// A pixel drawn with alpha 255 over anything: (c * 255) shr 8 in each byte.
uint32_t At255(uint32_t p) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) out |= (((p >> shift) & 0xFF) * 255 >> 8) << shift;
  return out;
}

TEST(WipeCodes, OnlyCodesOneToThirtyEightMakeAWipe) {
  WipeStage stage(8, 8);
  for (int32_t code : {INT_MIN, -1, 0, 39, 40, INT_MAX})
    EXPECT_EQ(CreateWipe(code, stage.screen, *stage.new_picture, *stage.old_picture, {}), nullptr)
        << code;
  for (int32_t code = 1; code < kWipeCodeCount; ++code)
    EXPECT_NE(CreateWipe(code, stage.screen, *stage.new_picture, *stage.old_picture, {}), nullptr)
        << code;
  EXPECT_EQ(WipeCodeInfo(-1), nullptr);
  EXPECT_EQ(WipeCodeInfo(39), nullptr);
  EXPECT_STREQ(WipeCodeInfo(WP_BLOCKRANDOM)->name, "WP_BLOCKRANDOM");
  EXPECT_STREQ(WipeCodeInfo(WP_FADE)->label, "フェード");
}

TEST(WipeCodes, DefaultsPutTheZoomCentreAtTheScreenCentre) {
  TWipeDefaults defaults;
  EXPECT_EQ(defaults.Of(WP_BLINDH).p0, 20);
  EXPECT_EQ(defaults.Of(WP_GRID).p1, 30);
  EXPECT_EQ(defaults.Of(WP_CRACK).p0, 64);
  EXPECT_EQ(defaults.Of(WP_ZOOMIN).p0, 0);
  defaults.SetScreenSize(641, 479);
  EXPECT_EQ(defaults.Of(WP_ZOOMIN).p0, 320);
  EXPECT_EQ(defaults.Of(WP_ZOOMIN).p1, 239);
  EXPECT_EQ(defaults.Of(-1).p0, 0);
  EXPECT_EQ(defaults.Of(39).p1, 0);
}

TEST(WipeParams, SetParamClampsMaskWipesAndCurtainsOnly) {
  struct Case {
    int32_t code, p0, p1;  // after SetParam(0, -5) and SetParam(1, -5)
  };
  for (const Case c :
       {Case{WP_BLINDH, 2, 1}, Case{WP_GRID, 2, 1}, Case{WP_DITHER, 2, 1}, Case{WP_CURTAINH, 1, 1},
        Case{WP_CURTAINV, 1, 1}, Case{WP_FADE, -5, -5}, Case{WP_CRACK, -5, -5}}) {
    WipeStage stage(8, 8);
    TCustomWipe* wipe = stage.Start(Request(c.code));
    wipe->SetParam(0, -5);
    wipe->SetParam(1, -5);
    EXPECT_EQ(wipe->GetParam(0), c.p0) << c.code;
    EXPECT_EQ(wipe->GetParam(1), c.p1) << c.code;
    EXPECT_EQ(wipe->GetParam(2), 0);
  }
}

TEST(WipeLife, StepAtOrPastTheDurationReportsDoneAndDrawsNothing) {
  for (int32_t code = 1; code < kWipeCodeCount; ++code) {
    WipeStage stage(16, 12);
    TCustomWipe* wipe = stage.Start(Request(code, 40));
    EXPECT_EQ(wipe->Duration(), 40);
    for (int32_t t : {40, 41, INT_MAX}) {
      stage.screen.Clear(0x123456);
      wipe->SetTime(t);
      EXPECT_TRUE(wipe->Step()) << code;
      EXPECT_EQ(testing::PixelsOf(stage.screen), std::vector<uint32_t>(16 * 12, 0x123456)) << code;
    }
    EXPECT_TRUE(wipe->ChangedRect().IsEmpty());
    wipe->SetTime(39);
    EXPECT_FALSE(wipe->Step()) << code;
    EXPECT_EQ(wipe->ChangedRect(), (TRect{0, 0, 16, 12}));
  }
}

TEST(WipeLife, DurationIsOneAtLeastAndNegativeTimesCountAsZero) {
  WipeStage stage(8, 8);
  TCustomWipe* wipe = stage.Start(Request(WP_FADE, -3));
  EXPECT_EQ(wipe->Duration(), 1);
  wipe->SetTime(-100);
  EXPECT_EQ(wipe->Time(), 0);
  EXPECT_FALSE(wipe->Step());
  EXPECT_EQ(testing::PixelsOf(stage.screen), testing::PixelsOf(*stage.old_picture));
}

TEST(WipeLife, PicturesThatDoNotFitTheScreenEndTheWipeAtOnce) {
  WipeStage stage(8, 8);
  auto small = testing::Surface(4, 8);
  auto wipe = CreateWipe(WP_FADE, stage.screen, *small, *stage.old_picture, {});
  wipe->Init();
  EXPECT_TRUE(wipe->Step());
  TDIBX empty;
  empty.FreeImage();
  auto on_empty = CreateWipe(WP_BLOCKCOIL, empty, empty, empty, {});
  on_empty->SetParams(60, 0);
  on_empty->Init();
  EXPECT_TRUE(on_empty->Step());
}

TEST(WipeFade, StartsAtOldAndEndsOnNewBlendedAt255) {
  WipeStage stage(20, 10);
  // A row where the pictures agree stays as it is.
  for (int32_t x = 0; x < 20; ++x)
    stage.new_picture->SetPixel(x, 3, Pixel(*stage.old_picture, x, 3));
  stage.Start(Request(WP_FADE));
  stage.FrameAt(0);
  EXPECT_EQ(testing::PixelsOf(stage.screen), testing::PixelsOf(*stage.old_picture));
  stage.FrameAt(999);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 20; ++x) {
      const uint32_t n = Pixel(*stage.new_picture, x, y), o = Pixel(*stage.old_picture, x, y);
      ASSERT_EQ(Pixel(stage.screen, x, y), n == o ? o : At255(n)) << x << "," << y;
    }
}

TEST(WipeWhite, HalfwayIsWhiteAndTheLastStepIsNewPlusOne) {
  WipeStage stage(12, 9);
  stage.Start(Request(WP_WHITE));
  stage.FrameAt(500);
  EXPECT_EQ(testing::PixelsOf(stage.screen), std::vector<uint32_t>(12 * 9, 0xFFFFFF));
  stage.FrameAt(999);
  for (int32_t y = 0; y < 9; ++y)
    for (int32_t x = 0; x < 12; ++x)
      ASSERT_EQ(Pixel(stage.screen, x, y),
                wipe_pixels::AddGrey(Pixel(*stage.new_picture, x, y), 1));
}

TEST(WipeBlindH, HardEdgedSlatsOpenColumnByColumn) {
  for (bool reverse : {false, true}) {
    WipeStage stage(50, 6);
    TWipeRequest r = Request(WP_BLINDH);
    r.reverse = reverse;
    r.p0 = 20;
    r.p1 = 1;
    stage.Start(r);
    for (int32_t t : {0, 100, 333, 512, 999}) {
      stage.FrameAt(t);
      const int64_t b = int64_t{1 + 40 - 2} * t / 1000;
      for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 50; ++x) {
          const int32_t e = 2 * (reverse ? 19 - x % 20 : x % 20);
          const TDIBX& expected = e < b ? *stage.new_picture : *stage.old_picture;
          ASSERT_EQ(Pixel(stage.screen, x, y), Pixel(expected, x, y))
              << "t " << t << " x " << x << (reverse ? " reversed" : "");
        }
    }
  }
}

TEST(WipeClockhand, AQuarterTurnShowsTheTopRightQuadrant) {
  WipeStage stage(64, 48);
  stage.Start(Request(WP_CLOCKHAND));
  stage.FrameAt(250);
  for (int32_t y = 0; y < 48; ++y)
    for (int32_t x = 0; x < 64; ++x) {
      const TDIBX& expected = x >= 32 && y < 24 ? *stage.new_picture : *stage.old_picture;
      ASSERT_EQ(Pixel(stage.screen, x, y), Pixel(expected, x, y)) << x << "," << y;
    }
}

TEST(WipeDither, ThePatternIsTheSameOnEveryRunAndHalfwayHalfTheBlock) {
  WipeStage a(64, 64), b(64, 64);
  a.Start(Request(WP_DITHER));
  b.Start(Request(WP_DITHER));
  EXPECT_EQ(a.FrameAt(500), b.FrameAt(500));
  int changed = 0;
  for (int32_t y = 0; y < 64; ++y)
    for (int32_t x = 0; x < 64; ++x)
      changed += Pixel(a.screen, x, y) == Pixel(*a.new_picture, x, y);
  EXPECT_EQ(changed, 2048);
}

TEST(WipeRandom, RandomBlocksAndCrackRepeatWithASeedAndDifferBetweenSeeds) {
  for (int32_t code : {WP_BLOCKRANDOM, WP_CRACK}) {
    WipeStage a(160, 120), b(160, 120), c(160, 120);
    TWipeRequest r = Request(code);
    r.p0 = 16;
    a.Start(r, 1);
    b.Start(r, 1);
    c.Start(r, 2);
    EXPECT_EQ(a.FrameAt(400), b.FrameAt(400)) << code;
    EXPECT_NE(a.FrameAt(300), c.FrameAt(300)) << code;
  }
}

TEST(WipeMaskPicture, AMissingOrEmptyPictureActsAsAllWhite) {
  for (int32_t code : {WP_MASKFADE, WP_MASKWHITE, WP_MASKBLACK}) {
    WipeStage white(40, 30);
    white.masks.pictures["white"].SetSize(3, 3, 32);
    white.masks.pictures["white"].FillRect({0, 0, 3, 3}, 0xFFFFFF);
    TWipeRequest r = Request(code);
    r.mask_name = "white";
    white.Start(r);
    for (const char* name : {"missing", "empty", ""}) {
      WipeStage stage(40, 30);
      stage.masks.pictures["empty"] = TDIBSurface();
      r.mask_name = name;
      stage.Start(r);
      for (int32_t t : {0, 300, 600, 900})
        EXPECT_EQ(stage.FrameAt(t), white.FrameAt(t)) << code << name;
    }
  }
  // White pixels change in the first half of the mask fade.
  WipeStage stage(40, 30);
  TWipeRequest r = Request(WP_MASKFADE);
  r.mask_name = "missing";
  stage.Start(r);
  stage.FrameAt(0);
  EXPECT_EQ(testing::PixelsOf(stage.screen), testing::PixelsOf(*stage.old_picture));
  stage.FrameAt(500);
  EXPECT_EQ(testing::PixelsOf(stage.screen), testing::PixelsOf(*stage.new_picture));
}

TEST(WipeMaskPicture, NoMaskSourceMeansEveryPictureIsMissing) {
  WipeStage stage(40, 30);
  auto wipe = CreateWipe(WP_MASKFADE, stage.screen, *stage.new_picture, *stage.old_picture, {});
  wipe->SetDuration(1000);
  wipe->SetMaskName("mask");
  wipe->Init();
  wipe->SetTime(500);
  wipe->Step();
  EXPECT_EQ(testing::PixelsOf(stage.screen), testing::PixelsOf(*stage.new_picture));
}

TEST(WipeMend, EveryWipeCopesWithZeroNegativeAndHugeParameters) {
  for (int32_t code = 1; code < kWipeCodeCount; ++code)
    for (int32_t p : {-5, 0, 1, 2, 1000000, INT_MIN, INT_MAX}) {
      WipeStage stage(11, 7);
      TCustomWipe* wipe = stage.Start(Request(code, 3));
      wipe->SetParams(p, p);
      for (int32_t t : {0, 1, 2}) {
        wipe->SetTime(t);
        EXPECT_FALSE(wipe->Step()) << code << " p " << p << " t " << t;
      }
    }
}

TEST(WipeMend, RubberWipesTakeADurationOfOne) {
  for (int32_t code : {WP_RUBBERH, WP_RUBBERV}) {
    WipeStage stage(20, 10);
    stage.Start(Request(code, 1));
    stage.FrameAt(0);
    // At t = 0 the sweep stands at column (row) 0 of old: one strip of
    // width one drawn out over nothing, the rest as it is.
    EXPECT_EQ(testing::PixelsOf(stage.screen), testing::PixelsOf(*stage.old_picture)) << code;
  }
}

TEST(WipeMend, RippleOnATinyScreenCrossFades) {
  WipeStage ripple(10, 30), fade(10, 30);
  ripple.Start(Request(WP_RIPPLE));
  fade.Start(Request(WP_FADE));
  for (int32_t t : {0, 400, 999}) EXPECT_EQ(ripple.FrameAt(t), fade.FrameAt(t));
}

TEST(WipeMend, CrackTakesANegativeIntervalAsZero) {
  WipeStage negative(64, 48), zero(64, 48);
  TWipeRequest r = Request(WP_CRACK);
  negative.Start(r)->SetParams(16, -40);
  zero.Start(r)->SetParams(16, 0);
  for (int32_t t : {0, 100, 500}) EXPECT_EQ(negative.FrameAt(t), zero.FrameAt(t));
}

TEST(WipeMend, BlursTakeThePicturesAsTheyAreAtTheFirstStep) {
  WipeStage stage(40, 40);
  stage.Start(Request(WP_BLURBLACK));
  // The new picture is composed after the wipe was made.
  stage.new_picture->Clear(0xFFFFFF);
  stage.FrameAt(520);  // blurred new minus grey 4 (383 - 332)
  EXPECT_EQ(testing::PixelsOf(stage.screen), std::vector<uint32_t>(40 * 40, 0x333333));
}

TEST(WipeZoomin, StartsOnTheWholeOldPicture) {
  WipeStage stage(30, 20);
  stage.Start(Request(WP_ZOOMIN));
  EXPECT_EQ(stage.wipe->GetParam(0), 15);
  stage.FrameAt(0);
  EXPECT_EQ(testing::PixelsOf(stage.screen), testing::PixelsOf(*stage.old_picture));
}

}  // namespace
}  // namespace rivo

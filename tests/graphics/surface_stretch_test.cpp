// Stretching, rotation, tiles and patterns.

#include <gtest/gtest.h>

#include "graphics/rotation.h"
#include "graphics/surface_fixture.h"

namespace rivo {
namespace {

using testing::Numbered;
using testing::Row;
using testing::Surface;
using testing::SurfaceOf;

TEST(SurfaceStretchTest, TenToTwentyColumnsRepeatsEachColumnTwice) {
  auto src = Numbered(10, 1);
  auto d = Surface(20, 1);
  d->StretchDraw({0, 0, 20, 1}, *src, 255, false, false, false, src->GetBounds());
  for (int x = 0; x < 20; ++x) EXPECT_EQ(d->GetPixel(x, 0), src->GetPixel(x / 2, 0)) << x;
}

TEST(SurfaceStretchTest, ALeftClipKeepsTheFractionOfTheSkippedColumns) {
  auto src = Numbered(10, 1);
  auto d = Surface(20, 1, 32, 1);
  d->SetClipRect({3, 0, 20, 1});
  d->StretchDraw({0, 0, 20, 1}, *src, 255, false, false, false, src->GetBounds());
  EXPECT_EQ(d->GetPixel(2, 0), 1u);
  // 3 columns cut at 0.5 source columns each: start at column 1 plus one half.
  for (int x = 3; x < 20; ++x) EXPECT_EQ(d->GetPixel(x, 0), src->GetPixel(x / 2, 0)) << x;
  auto f = Surface(20, 1, 32, 1);
  f->SetClipRect({3, 0, 20, 1});
  f->StretchDraw({0, 0, 20, 1}, *src, 255, false, true, false, src->GetBounds());
  for (int x = 3; x < 20; ++x) EXPECT_EQ(f->GetPixel(x, 0), src->GetPixel(9 - x / 2, 0)) << x;
}

TEST(SurfaceStretchTest, WideStretchesAreNotLimitedByAColumnTable) {
  auto src = Numbered(800, 2);
  auto d = Surface(1600, 4);
  d->StretchDraw({0, 0, 1600, 4}, *src, 255, false, false, false, src->GetBounds());
  for (int x = 0; x < 1600; ++x) ASSERT_EQ(d->GetPixel(x, 3), src->GetPixel(x / 2, 1)) << x;
}

TEST(SurfaceStretchTest, ShrinkingSkipsSamplesAndBlendsOrAddsByAlpha) {
  auto src = SurfaceOf(4, 1, 32, {testing::Grey(200), 0, testing::Grey(100), 0});
  auto d = Surface(2, 1, 32, testing::Grey(100));
  d->StretchDraw({0, 0, 2, 1}, *src, 128, false, false, false, src->GetBounds());
  // No equal-pixel skip here: 100 over 100 gives (100*128 + 100*127) shr 8 = 99.
  EXPECT_EQ(Row(*d, 0), (std::vector<uint32_t>{testing::Grey(149), testing::Grey(99)}));
  auto a = Surface(2, 1, 32, testing::Grey(100));
  a->StretchDrawAdd({0, 0, 2, 1}, *src, 255, false, false, false, src->GetBounds());
  EXPECT_EQ(Row(*a, 0), (std::vector<uint32_t>{testing::Grey(255), testing::Grey(199)}));
}

TEST(SurfaceStretchTest, MaskedStretchesReadTheMaskAtTheSamplePosition) {
  auto src = SurfaceOf(2, 1, 32, {testing::Grey(255), testing::Grey(255)});
  auto mask = SurfaceOf(2, 1, 8, {255, 128});
  auto d = Surface(4, 1);
  d->StretchDrawMask({0, 0, 4, 1}, *src, 255, *mask, false, false, src->GetBounds());
  EXPECT_EQ(Row(*d, 0), (std::vector<uint32_t>{testing::Grey(255), testing::Grey(255),
                                               testing::Grey(127), testing::Grey(127)}));
  auto e = Surface(2, 1);
  e->StretchDrawMask({0, 0, 2, 1}, *src, 128, *mask, false, false, src->GetBounds());
  EXPECT_EQ(Row(*e, 0), (std::vector<uint32_t>{testing::Grey(127), testing::Grey(63)}));
}

TEST(SurfaceRotateTest, AngleZeroAtNaturalSizeIsADrawAroundThePivot) {
  auto src = Numbered(7, 5);
  for (bool flip : {false, true}) {
    auto rotated = Surface(16, 12, 32, 1), drawn = Surface(16, 12, 32, 1);
    const TRotation r{0, 2, 3, 256, 256};
    rotated->DrawRotate(9, 6, 255, flip, flip, false, r, src->GetBounds(), *src);
    drawn->Draw(9 - 2, 6 - 3, flip, flip, false, src->GetBounds(), *src);
    EXPECT_EQ(testing::PixelsOf(*rotated), testing::PixelsOf(*drawn)) << flip;
  }
  // Masked: the mask travels with the source, mirrored alike.
  auto mask = Surface(7, 5, 8, 0);
  for (int32_t x = 0; x < 7; ++x) mask->SetPixel(x, 1, static_cast<uint32_t>(x * 40));
  mask->SetPixel(3, 4, 255);
  for (bool flip : {false, true}) {
    auto rotated = Surface(16, 12, 32, 1), drawn = Surface(16, 12, 32, 1);
    rotated->DrawRotateMask(9, 6, 255, *mask, flip, !flip, {0, 2, 3, 256, 256}, src->GetBounds(),
                            *src);
    drawn->DrawMask(9 - 2, 6 - 3, *mask, flip, !flip, src->GetBounds(), *src);
    EXPECT_EQ(testing::PixelsOf(*rotated), testing::PixelsOf(*drawn)) << flip;
  }
}

TEST(SurfaceRotateTest, FarPivotsAndCentresNeedNoMoreThanTheirPixels) {
  // 40000 * 65536 does not fit 32 bits; the positions are 64-bit.
  auto src = Numbered(4, 2);
  auto rotated = Surface(8, 4, 32, 1), drawn = Surface(8, 4, 32, 1);
  rotated->DrawRotate(40002, 1, 255, false, false, false, {0, 40000, 0, 256, 256},
                      src->GetBounds(), *src);
  drawn->Draw(2, 1, false, false, false, src->GetBounds(), *src);
  EXPECT_EQ(testing::PixelsOf(*rotated), testing::PixelsOf(*drawn));
  auto stretched = Surface(8, 1, 32, 1);
  stretched->StretchDraw({-3000000, 0, 8, 1}, *src, 255, false, false, false, {0, 0, 4, 1});
  EXPECT_EQ(stretched->GetPixel(7, 0), src->GetPixel(3, 0));
}

TEST(SurfaceRotateTest, AQuarterTurnTurnsColumnsIntoRows) {
  auto src = SurfaceOf(3, 2, 32, {1, 2, 3,  //
                                  4, 5, 6});
  auto d = Surface(6, 6);
  d->DrawRotate(3, 1, 255, false, false, false, {64, 0, 0, 256, 256}, src->GetBounds(), *src);
  const std::vector<uint32_t> expected = {0, 0, 0, 0, 0, 0,  //
                                          0, 0, 4, 1, 0, 0,  //
                                          0, 0, 5, 2, 0, 0,  //
                                          0, 0, 6, 3, 0, 0,  //
                                          0, 0, 0, 0, 0, 0,  //
                                          0, 0, 0, 0, 0, 0};
  EXPECT_EQ(testing::PixelsOf(*d), expected);
  EXPECT_EQ(RotatedBoundingBox(3, 1, {64, 0, 0, 256, 256}, 3, 2), (TRect{2, 1, 4, 4}));
}

TEST(SurfaceRotateTest, ZoomDoublesEachPixelAndNonPositiveZoomDrawsNothing) {
  auto src = SurfaceOf(2, 1, 32, {7, 9});
  auto d = Surface(6, 2);
  d->DrawRotate(0, 0, 255, false, false, false, {0, 0, 0, 512, 512}, src->GetBounds(), *src);
  EXPECT_EQ(Row(*d, 1), (std::vector<uint32_t>{7, 7, 9, 9, 0, 0}));
  auto z = Surface(2, 2, 32, 1);
  z->DrawRotate(0, 0, 255, false, false, false, {0, 0, 0, 0, 256}, src->GetBounds(), *src);
  z->DrawRotate(0, 0, 255, false, false, false, {0, 0, 0, 256, -5}, src->GetBounds(), *src);
  EXPECT_EQ(z->GetPixel(0, 0), 1u);
}

TEST(SurfaceRotateTest, TheAlphaCodeChoosesCopyBlendOrAddAndTheMaskWeighs) {
  auto src = Surface(1, 1, 32, testing::Grey(200));
  auto mask = Surface(1, 1, 8, 128);
  struct Case { int code; bool masked; uint32_t expected; };
  const Case cases[] = {
      {255, false, testing::Grey(200)},
      {128, false, testing::Grey(149)},        // (200*128 + 100*127) shr 8
      {256 + 128, false, testing::Grey(200)},  // 100 + (200*128) shr 8
      {255, true, testing::Grey(149)},         // weight = mask
      {128, true, testing::Grey(124)},         // weight (128*128) shr 8 = 64
      {256 + 255, true, testing::Grey(199)},   // 100 + (200 * ((128*255) shr 8)) shr 8
  };
  for (const Case& c : cases) {
    auto d = Surface(1, 1, 32, testing::Grey(100));
    const TRotation r;
    if (c.masked) d->DrawRotateMask(0, 0, c.code, *mask, false, false, r, src->GetBounds(), *src);
    else d->DrawRotate(0, 0, c.code, false, false, false, r, src->GetBounds(), *src);
    EXPECT_EQ(d->GetPixel(0, 0), c.expected) << c.code << " " << c.masked;
  }
}

TEST(SurfacePatternTest, FillPatternWrapsNegativeOffsetsAndMirrors) {
  auto pat = SurfaceOf(3, 2, 32, {1, 2, 3,  //
                                  4, 5, 6});
  auto d = Surface(5, 3);
  d->FillPattern({1, 0, 5, 3}, *pat, false, false, -1, 1);
  EXPECT_EQ(Row(*d, 0), (std::vector<uint32_t>{0, 6, 4, 5, 6}));
  EXPECT_EQ(Row(*d, 1), (std::vector<uint32_t>{0, 3, 1, 2, 3}));
  auto m = Surface(4, 1);
  m->FillPattern({0, 0, 4, 1}, *pat, true, true, 0, 0);
  EXPECT_EQ(Row(*m, 0), (std::vector<uint32_t>{6, 5, 4, 6}));
}

TEST(SurfacePatternTest, ZoomedPatternsScaleAndZeroSizesDrawNothing) {
  auto pat = SurfaceOf(2, 1, 32, {1, 2});
  auto d = Surface(6, 1);
  d->FillPatternZoom({0, 0, 6, 1}, *pat, 255, false, false, false, 1, 0, 512, 256);
  EXPECT_EQ(Row(*d, 0), (std::vector<uint32_t>{2, 2, 1, 1, 2, 2}));
  auto z = Surface(2, 1, 32, 9);
  z->FillPatternZoom({0, 0, 2, 1}, *pat, 255, false, false, false, 0, 0, 0, 256);
  auto empty = Surface(0, 0);
  z->FillPattern({0, 0, 2, 1}, *empty, false, false, 0, 0);
  EXPECT_EQ(Row(*z, 0), (std::vector<uint32_t>{9, 9}));
}

TEST(SurfacePatternTest, FramePatternContinuesThePatternAroundTheFrame) {
  auto pat = SurfaceOf(2, 2, 32, {1, 2,  //
                                  3, 4});
  auto d = Surface(4, 3);
  d->FramePattern({0, 0, 4, 3}, 1, 0, 0, *pat);
  const std::vector<uint32_t> expected = {1, 2, 1, 2,  //
                                          3, 0, 0, 4,  //
                                          1, 2, 1, 2};
  EXPECT_EQ(testing::PixelsOf(*d), expected);
}

TEST(SurfaceTileTest, ZoomedTilesRepeatWithGapsAndLeaveNoGapForNegativeOffsets) {
  auto src = SurfaceOf(2, 1, 32, {5, 6});
  auto d = Surface(8, 1);
  d->TileStretchDraw({0, 0, 8, 1}, {3, 1, 0, 0, 256, 256}, 255, false, false, false,
                     src->GetBounds(), *src);
  EXPECT_EQ(Row(*d, 0), (std::vector<uint32_t>{5, 6, 0, 5, 6, 0, 5, 6}));
  auto n = Surface(5, 1);
  n->TileStretchDraw({0, 0, 5, 1}, {2, 1, -1, 0, 256, 256}, 255, false, false, false,
                     src->GetBounds(), *src);
  EXPECT_EQ(Row(*n, 0), (std::vector<uint32_t>{6, 5, 6, 5, 6}));
  auto z = Surface(8, 1, 32, 1);
  z->TileStretchDraw({2, 0, 7, 1}, {2, 1, 0, 0, 512, 256}, 255, false, false, false,
                     src->GetBounds(), *src);
  EXPECT_EQ(Row(*z, 0), (std::vector<uint32_t>{1, 1, 5, 5, 6, 6, 5, 1}));
  EXPECT_FALSE(z->HasClip());
  auto zero = Surface(2, 1, 32, 1);
  zero->TileStretchDraw({0, 0, 2, 1}, {0, 0, 0, 0, 256, 256}, 255, false, false, false,
                        src->GetBounds(), *src);
  zero->TileStretchDraw({0, 0, 2, 1}, {2, 1, 0, 0, 0, 256}, 255, false, false, false,
                        src->GetBounds(), *src);
  // A pitch of 0 still steps one pixel; the second tile covers column 1.
  EXPECT_EQ(Row(*zero, 0), (std::vector<uint32_t>{5, 5}));
}

}  // namespace
}  // namespace rivo

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

// At 1:1 across, rows are read where they lie; a picture stretched onto
// itself is gathered first. Both give the same pixels: the destination and
// the source as two surfaces, and as the upper and lower parts of one
// surface, for every kind of stretch, rows repeated downwards and the left
// edge clipped.
TEST(SurfaceStretchTest, AOneToOneStretchAcrossReadsRowsInPlaceAsAGatheredOneWould) {
  constexpr int32_t kWidth = 37, kRows = 5, kHeight = 9, kLeft = 2;
  uint32_t state = 99;
  const auto noise = [&state] { return state = state * 1103515245u + 12345u, state >> 8; };
  std::vector<uint32_t> dest_pixels(static_cast<std::size_t>((kWidth + 4) * kHeight));
  for (uint32_t& p : dest_pixels) p = noise() & 0xFFFFFF;
  const uint32_t key = 0x123456;
  std::vector<uint32_t> source_pixels(static_cast<std::size_t>(kWidth * kRows)), mask_bytes(source_pixels.size());
  for (std::size_t i = 0; i < source_pixels.size(); ++i) {
    const uint32_t pick = noise() % 6;
    // Some pixels are the key, some equal the destination pixel they land on.
    source_pixels[i] = pick == 0 ? key : pick == 1 ? dest_pixels[i % kWidth + kLeft] : noise() & 0xFFFFFF;
    mask_bytes[i] = pick < 2 ? 255 : pick == 2 ? 0 : noise() & 0xFF;
  }
  const auto stack = [](const std::vector<uint32_t>& upper, const std::vector<uint32_t>& lower, int32_t width,
                        int32_t bits) {
    std::vector<uint32_t> both(static_cast<std::size_t>(width * (kHeight + kRows)), 0);
    for (std::size_t i = 0; i < upper.size(); ++i) both[i] = upper[i];
    for (int32_t y = 0; y < kRows; ++y)
      for (int32_t x = 0; x < kWidth; ++x)
        both[static_cast<std::size_t>((kHeight + y) * width + x)] = lower[static_cast<std::size_t>(y * kWidth + x)];
    return SurfaceOf(width, kHeight + kRows, bits, both);
  };
  using Draw = void (*)(TDIBX& d, const TRect& to, const TDIBX& s, const TDIBX& m, const TRect& from);
  const std::pair<const char*, Draw> kinds[] = {
      {"copy", [](TDIBX& d, const TRect& to, const TDIBX& s, const TDIBX&, const TRect& from) {
         d.StretchDraw(to, s, 255, false, false, false, from);
       }},
      {"keyed", [](TDIBX& d, const TRect& to, const TDIBX& s, const TDIBX&, const TRect& from) {
         d.StretchDraw(to, s, 255, false, false, true, from);
       }},
      {"blend", [](TDIBX& d, const TRect& to, const TDIBX& s, const TDIBX&, const TRect& from) {
         d.StretchDraw(to, s, 100, false, false, true, from);
       }},
      {"add", [](TDIBX& d, const TRect& to, const TDIBX& s, const TDIBX&, const TRect& from) {
         d.StretchDrawAdd(to, s, 200, false, false, false, from);
       }},
      {"mask", [](TDIBX& d, const TRect& to, const TDIBX& s, const TDIBX& m, const TRect& from) {
         d.StretchDrawMask(to, s, 255, m, false, false, from);
       }},
      {"mask blend", [](TDIBX& d, const TRect& to, const TDIBX& s, const TDIBX& m, const TRect& from) {
         d.StretchDrawMask(to, s, 130, m, false, false, from);
       }},
      {"mask add", [](TDIBX& d, const TRect& to, const TDIBX& s, const TDIBX& m, const TRect& from) {
         d.StretchDrawAddMask(to, s, 200, m, false, false, from);
       }},
  };
  const TRect to{kLeft, 0, kLeft + kWidth, kHeight};
  for (const auto& [what, draw] : kinds) {
    for (const int32_t clip_left : {0, kLeft + 3}) {
      auto apart = SurfaceOf(kWidth + 4, kHeight, 32, dest_pixels);
      auto source = SurfaceOf(kWidth, kRows, 32, source_pixels);
      auto mask = SurfaceOf(kWidth, kRows, 8, mask_bytes);
      source->SetTransparentColor(key);
      apart->SetClipRect({clip_left, 0, kWidth + 4, kHeight});
      draw(*apart, to, *source, *mask, source->GetBounds());

      auto together = stack(dest_pixels, source_pixels, kWidth + 4, 32);
      auto tall_mask = stack(std::vector<uint32_t>(static_cast<std::size_t>(kWidth * kHeight), 0), mask_bytes,
                             kWidth, 8);
      together->SetTransparentColor(key);
      together->SetClipRect({clip_left, 0, kWidth + 4, kHeight});
      draw(*together, to, *together, *tall_mask, {0, kHeight, kWidth, kHeight + kRows});
      for (int32_t y = 0; y < kHeight; ++y) ASSERT_EQ(Row(*apart, y), Row(*together, y)) << what << " row " << y;
    }
  }
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

// Every pixel of a pattern fill, over rows and columns that wrap the
// pattern several times, cut by the clip at the top and left, at offsets
// either side of 0, mirrored or not: pattern pixel ((offset + place in the
// rectangle) mod size), counted from the far side when mirrored.
TEST(SurfacePatternTest, EveryPixelOfAPatternFillIsThePatternPixelItsPlaceNames) {
  constexpr int32_t kPw = 3, kPh = 4;
  auto pat = Numbered(kPw, kPh);
  const TRect rect{2, 1, 13, 12};
  for (const TRect clip : {TRect{0, 0, 16, 14}, TRect{5, 6, 11, 14}}) {
    for (const int32_t offset : {-7, 0, 5}) {
      for (const bool flip : {false, true}) {
        auto d = Surface(16, 14, 32, 1);
        d->SetClipRect(clip);
        d->FillPattern(rect, *pat, flip, !flip, offset, offset + 1);
        for (int32_t y = 0; y < 14; ++y) {
          for (int32_t x = 0; x < 16; ++x) {
            uint32_t expected = 1;
            if (rect.Contains(x, y) && clip.Contains(x, y)) {
              int32_t px = ((offset + x - rect.Left) % kPw + kPw) % kPw;
              int32_t py = ((offset + 1 + y - rect.Top) % kPh + kPh) % kPh;
              if (!flip) px = kPw - 1 - px;  // flip_h is !flip
              if (flip) py = kPh - 1 - py;
              expected = pat->GetPixel(px, py);
            }
            ASSERT_EQ(d->GetPixel(x, y), expected) << x << "," << y << " offset " << offset << " flip " << flip;
          }
        }
      }
    }
  }
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

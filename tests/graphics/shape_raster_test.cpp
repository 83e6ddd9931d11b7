// The disc and pie rasteriser of the round mask wipes.

#include "graphics/shape_raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace rivo {
namespace {

constexpr double kPi = std::numbers::pi;

int CountPie(const TDisc& disc, double start, double sweep, int32_t w, int32_t h) {
  int count = 0;
  for (int32_t y = 0; y < h; ++y) {
    TSpan spans[2];
    const int n = TPie(disc, start, sweep).Spans(y, w, spans);
    for (int i = 0; i < n; ++i) count += spans[i].last - spans[i].first;
  }
  return count;
}

int CountDisc(const TDisc& disc, int32_t w, int32_t h) {
  int count = 0;
  for (int32_t y = 0; y < h; ++y) {
    const TSpan s = DiscSpan(disc, y, w);
    if (!s.IsEmpty()) count += s.last - s.first;
  }
  return count;
}

TEST(ShapeRaster, APixelBelongsToADiscWhenItsCentreDoes) {
  // Radius 1 about (2, 2): the four pixels around the centre point.
  EXPECT_EQ(CountDisc({2, 2, 1}, 4, 4), 4);
  EXPECT_EQ(DiscSpan({2, 2, 1}, 1, 4).first, 1);
  EXPECT_EQ(DiscSpan({2, 2, 1}, 1, 4).last, 3);
  EXPECT_TRUE(DiscSpan({2, 2, 1}, 0, 4).IsEmpty());
  EXPECT_EQ(CountDisc({2, 2, 0}, 4, 4), 0);
  // The corner radius covers the whole picture; spans stay inside the row.
  EXPECT_EQ(CountDisc({5, 3.5, std::hypot(5.0, 3.0)}, 10, 7), 70);
  EXPECT_EQ(CountDisc({5, 3, 1000}, 10, 6), 60);
}

TEST(ShapeRaster, PiesSplitTheDiscByAngleClockwiseFromTwelve) {
  const TDisc disc{16, 16, 100};
  EXPECT_EQ(CountPie(disc, 0, 0, 32, 32), 0);
  EXPECT_EQ(CountPie(disc, 0, 2 * kPi, 32, 32), 1024);
  for (int quarter = 0; quarter < 4; ++quarter)
    EXPECT_EQ(CountPie(disc, quarter * kPi / 2, kPi / 2, 32, 32), 256) << quarter;
  // Three quarters from 3 o'clock leave the top-right quadrant out.
  EXPECT_EQ(CountPie(disc, kPi / 2, 1.5 * kPi, 32, 32), 768);
  TSpan spans[2];
  ASSERT_EQ(TPie(disc, kPi / 2, 1.5 * kPi).Spans(3, 32, spans), 1);
  EXPECT_EQ(spans[0].first, 0);
  EXPECT_EQ(spans[0].last, 16);
  // The first quarter is the top-right one; an angle below 0 wraps.
  ASSERT_EQ(TPie(disc, -2 * kPi, kPi / 2).Spans(0, 32, spans), 1);
  EXPECT_EQ(spans[0].first, 16);
  EXPECT_EQ(spans[0].last, 32);
  // All but a thin sector about 6 o'clock: the bottom row keeps two spans
  // on either side of the four pixels whose centres lie within 0.1 of it.
  ASSERT_EQ(TPie(disc, kPi + 0.1, 2 * kPi - 0.2).Spans(31, 32, spans), 2);
  EXPECT_EQ(spans[0].first, 0);
  EXPECT_EQ(spans[0].last, 14);
  EXPECT_EQ(spans[1].first, 18);
  EXPECT_EQ(spans[1].last, 32);
}

}  // namespace
}  // namespace rivo

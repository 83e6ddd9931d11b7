#include "graphics/clip_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rivo {
namespace {

using ::testing::ElementsAre;

TEST(ClipList, RectanglesFifteenPixelsApartMergeAndTwentyFiveApartStayTwo) {
  struct Case {
    TRect second;
    std::vector<TRect> expected;
  };
  const TRect first{0, 0, 10, 10};
  const Case cases[] = {
      {{25, 0, 35, 10}, {{0, 0, 35, 10}}},                    // 15 to the right
      {{35, 0, 45, 10}, {first, {35, 0, 45, 10}}},             // 25 to the right
      {{0, 25, 10, 35}, {{0, 0, 10, 35}}},                    // 15 below
      {{0, 35, 10, 45}, {first, {0, 35, 10, 45}}},             // 25 below
      {{-25, 0, -15, 10}, {{-25, 0, 10, 10}}},                // 15 to the left
      {{-35, 0, -25, 10}, {first, {-35, 0, -25, 10}}},         // 25 to the left
      {{0, -35, 10, -25}, {first, {0, -35, 10, -25}}},         // 25 above
      {{30, 30, 40, 40}, {{0, 0, 40, 40}}},                   // exactly 20 on both axes
      {{31, 0, 40, 10}, {first, {31, 0, 40, 10}}},             // 21
  };
  for (const Case& c : cases) {
    TClipList list;
    list.Add(first);
    list.Add(c.second);
    EXPECT_EQ(list.Rects(), c.expected) << c.second.Left << "," << c.second.Top;
  }
}

TEST(ClipList, IgnoresEmptyRectanglesAndOnesInsideANearRectangle) {
  TClipList list;
  list.Add({5, 5, 5, 50});
  list.Add({9, 9, 3, 3});
  EXPECT_TRUE(list.IsEmpty());
  list.Add({0, 0, 100, 100});
  list.Add({10, 10, 20, 20});
  list.Add({0, 0, 100, 100});
  EXPECT_THAT(list.Rects(), ElementsAre(TRect{0, 0, 100, 100}));
}

TEST(ClipList, AUnionThatComesNearOthersSwallowsThemAndGoesLast) {
  TClipList list;
  list.Add({0, 0, 10, 10});
  list.Add({500, 500, 510, 510});
  list.Add({100, 0, 110, 10});
  // Near the first only; the union reaches within 20 of the third.
  list.Add({25, 0, 85, 10});
  EXPECT_THAT(list.Rects(), ElementsAre(TRect{500, 500, 510, 510}, TRect{0, 0, 110, 10}));
}

TEST(ClipList, ARectangleNearManyOthersSwallowsThemOneAfterAnother) {
  // Each union is near the next piece, so one Add merges through the whole list.
  TClipList list;
  constexpr int32_t n = 2000;
  for (int32_t i = 0; i < n; ++i) list.Add(Bounds(i * 60, 0, 10, 10));
  EXPECT_EQ(list.Count(), static_cast<std::size_t>(n));
  list.Add({0, 0, n * 60, 10});
  EXPECT_THAT(list.Rects(), ElementsAre(TRect{0, 0, n * 60, 10}));
  list.Add(Bounds(n * 60 + 15, 0, 10, 10));
  EXPECT_THAT(list.Rects(), ElementsAre(TRect{0, 0, n * 60 + 25, 10}));
}

TEST(ClipList, RectanglesAtTheEdgeOfTheCoordinateRangeDoNotWrapIntoNearness) {
  TClipList list;
  list.Add({INT32_MAX - 10, 0, INT32_MAX, 10});
  list.Add({INT32_MIN, 0, INT32_MIN + 10, 10});
  EXPECT_EQ(list.Count(), 2u);
}

}  // namespace
}  // namespace rivo

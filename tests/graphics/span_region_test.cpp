// The regions of map areas: rectangles and ellipses by inclusive corners,
// polygons by the winding rule, as rows of spans.

#include "graphics/span_region.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace rivo {
namespace {

// The region over a w x h grid from (0, 0), one text line per row.
std::string Picture(const TSpanRegion& region, int32_t w, int32_t h) {
  std::string out;
  std::vector<TSpan> spans;
  for (int32_t y = 0; y < h; ++y) {
    std::string row(static_cast<std::size_t>(w), '.');
    region.RowSpans(y, spans);
    for (const TSpan& s : spans)
      for (int32_t x = std::max(s.first, 0); x < std::min(s.last, w); ++x) row[static_cast<std::size_t>(x)] = '#';
    out += row + "\n";
  }
  return out;
}

TSpanRegion Poly(std::vector<TRegionPoint> points) { return TSpanRegion::Polygon(points); }

struct ShapeCase {
  const char* what;
  TSpanRegion region;
  int32_t w, h;
  const char* picture;
};

std::vector<ShapeCase> ShapeCases() {
  return {
      {"rectangle corners are inclusive", TSpanRegion::Rectangle(1, 1, 3, 2), 5, 4,
       ".....\n"
       ".###.\n"
       ".###.\n"
       ".....\n"},
      {"corners in reverse order", TSpanRegion::Rectangle(3, 2, 1, 1), 5, 4,
       ".....\n"
       ".###.\n"
       ".###.\n"
       ".....\n"},
      {"a one-pixel rectangle", TSpanRegion::Rectangle(2, 1, 2, 1), 4, 3,
       "....\n"
       "..#.\n"
       "....\n"},
      {"an ellipse in an inclusive 5 x 3 box", TSpanRegion::Ellipse(0, 0, 4, 2), 5, 3,
       ".###.\n"
       "#####\n"
       ".###.\n"},
      {"a circle in an inclusive 8 x 8 box", TSpanRegion::Ellipse(0, 0, 7, 7), 8, 8,
       "..####..\n"
       ".######.\n"
       "########\n"
       "########\n"
       "########\n"
       "########\n"
       ".######.\n"
       "..####..\n"},
      {"a one-pixel ellipse", TSpanRegion::Ellipse(1, 1, 1, 1), 3, 3,
       "...\n"
       ".#.\n"
       "...\n"},
      {"a triangle: right and bottom edges exclusive", Poly({{0, 0}, {4, 0}, {0, 4}}), 5, 5,
       "###..\n"
       "##...\n"
       "#....\n"
       ".....\n"
       ".....\n"},
      {"a polygon tracing a rectangle", Poly({{1, 1}, {4, 1}, {4, 3}, {1, 3}}), 5, 4,
       ".....\n"
       ".###.\n"
       ".###.\n"
       ".....\n"},
      {"the same traced the other way round", Poly({{1, 1}, {1, 3}, {4, 3}, {4, 1}}), 5, 4,
       ".....\n"
       ".###.\n"
       ".###.\n"
       ".....\n"},
      {"overlapping loops of one direction: winding 2 is filled",
       Poly({{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}, {2, 2}, {6, 2}, {6, 6}, {2, 6}, {2, 2}}), 6, 6,
       "####..\n"
       "####..\n"
       "######\n"
       "######\n"
       "..####\n"
       "..####\n"},
      {"loops of opposite directions cancel: winding 0 is a hole",
       Poly({{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}, {2, 2}, {2, 6}, {6, 6}, {6, 2}, {2, 2}}), 6, 6,
       "####..\n"
       "####..\n"
       "##..##\n"
       "##..##\n"
       "..####\n"
       "..####\n"},
      {"a square traced twice is the square", Poly({{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}, {2, 0}, {2, 2}, {0, 2}}),
       3, 3,
       "##.\n"
       "##.\n"
       "...\n"},
      {"two points make no polygon", Poly({{0, 0}, {3, 3}}), 3, 3,
       "...\n"
       "...\n"
       "...\n"},
      {"three points in a line cover nothing", Poly({{0, 0}, {1, 1}, {3, 3}}), 3, 3,
       "...\n"
       "...\n"
       "...\n"},
  };
}

TEST(SpanRegion, ShapesCoverTheirPixels) {
  for (const ShapeCase& c : ShapeCases()) EXPECT_EQ(Picture(c.region, c.w, c.h), c.picture) << c.what;
}

TEST(SpanRegion, RowsAreOrderedSeparateRunsThatContainsAgreesWith) {
  std::vector<ShapeCase> cases = ShapeCases();
  // A five-pointed star: its centre has winding 2.
  cases.push_back({"star", Poly({{5, 0}, {8, 10}, {0, 3}, {10, 3}, {2, 10}}), 11, 11, ""});
  cases.push_back({"tilted", Poly({{1, 3}, {9, 0}, {12, 8}, {3, 12}}), 13, 13, ""});
  std::vector<TSpan> spans;
  for (const ShapeCase& c : cases) {
    const TRect bounds = c.region.Bounds();
    for (int32_t y = -1; y <= c.h; ++y) {
      c.region.RowSpans(y, spans);
      for (std::size_t i = 0; i < spans.size(); ++i) {
        EXPECT_LT(spans[i].first, spans[i].last) << c.what;
        if (i > 0) { EXPECT_LT(spans[i - 1].last, spans[i].first) << c.what << " row " << y; }
      }
      for (int32_t x = -1; x <= c.w; ++x) {
        bool in_span = false;
        for (const TSpan& s : spans) in_span |= x >= s.first && x < s.last;
        EXPECT_EQ(c.region.Contains(x, y), in_span) << c.what << " at " << x << "," << y;
        if (in_span) { EXPECT_TRUE(bounds.Contains(x, y)) << c.what << " outside its bounds at " << x << "," << y; }
      }
    }
  }
}

TEST(SpanRegion, TheWindingRuleFillsWhereEvenOddWouldNot) {
  const TSpanRegion star = Poly({{5, 0}, {8, 10}, {0, 3}, {10, 3}, {2, 10}});
  EXPECT_TRUE(star.Contains(5, 5));  // the pentagon in the middle: winding 2
  EXPECT_TRUE(star.Contains(5, 2));  // the top tip: winding 1
  EXPECT_FALSE(star.Contains(5, 9));  // between the two lower tips
}

TEST(SpanRegion, EmptyRegionsHaveNoBoundsAndNoPixels) {
  for (const TSpanRegion& r :
       {TSpanRegion(), Poly({}), Poly({{1, 1}}), Poly({{0, 0}, {5, 5}}), Poly({{2, 0}, {2, 5}, {2, 9}})}) {
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_TRUE(r.Bounds().IsEmpty());
    EXPECT_FALSE(r.Contains(0, 0));
  }
  EXPECT_EQ(TSpanRegion::Rectangle(2, 3, 4, 5).Bounds(), (TRect{2, 3, 5, 6}));
  EXPECT_EQ(TSpanRegion::Ellipse(4, 5, 2, 3).Bounds(), (TRect{2, 3, 5, 6}));
  EXPECT_EQ(Poly({{1, 2}, {7, 2}, {3, 9}}).Bounds(), (TRect{1, 2, 7, 9}));
}

TEST(SpanRegion, ExtremeCoordinatesAreSafeAndCheap) {
  // Whatever a damaged map file holds: no overflow (the sanitizers watch)
  // and nothing allocated by size.
  const TSpanRegion all = TSpanRegion::Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_TRUE(all.Contains(0, 0));
  EXPECT_TRUE(all.Contains(-(1 << 27), 1 << 27));
  const TSpanRegion oval = TSpanRegion::Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_TRUE(oval.Contains(0, 0));
  EXPECT_FALSE(oval.Contains(INT_MIN, INT_MIN));
  std::vector<TSpan> spans;
  oval.RowSpans(0, spans);
  ASSERT_EQ(spans.size(), 1u);
  EXPECT_LT(spans[0].first, -(1 << 27));
  EXPECT_GT(spans[0].last, 1 << 27);
  const TSpanRegion wide = Poly({{INT_MIN, INT_MIN}, {INT_MAX, 0}, {INT_MIN, INT_MAX}, {INT_MAX, INT_MIN}});
  wide.RowSpans(0, spans);
  wide.RowSpans(INT_MAX, spans);
  EXPECT_TRUE(spans.empty());
  EXPECT_FALSE(TSpanRegion::Ellipse(0, 0, 10, 10).Contains(INT_MAX, INT_MIN));
}

}  // namespace
}  // namespace rivo

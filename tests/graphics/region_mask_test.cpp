// Masks cut by a region: the kept side keeps the mask's values (or opaque
// without a mask), the other side turns transparent.

#include "graphics/region_mask.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rivo {
namespace {

// A 6 x 4 mask whose values tell the pixels apart.
struct Loaded : TDIBX {
  Loaded() {
    SetSize(6, 4, 8);
    for (int32_t y = 0; y < 4; ++y)
      for (int32_t x = 0; x < 6; ++x) SetPixel(x, y, static_cast<uint32_t>(1 + x + 10 * y));
  }
};

TEST(RegionMask, TheKeptSideKeepsTheMaskAndTheOtherTurnsTransparent) {
  const Loaded loaded;
  // Shapes partly outside the picture are cut to it.
  const std::vector<TSpanRegion> regions = {TSpanRegion::Rectangle(1, 1, 3, 2), TSpanRegion::Rectangle(-5, -5, 2, 9),
                                            TSpanRegion::Ellipse(0, 0, 5, 3),
                                            TSpanRegion::Polygon(std::vector<TRegionPoint>{{0, 0}, {8, 0}, {0, 8}})};
  for (const TSpanRegion& region : regions)
    for (TRegionSide side : {TRegionSide::kInside, TRegionSide::kOutside})
      for (const TDIBX* mask : {static_cast<const TDIBX*>(&loaded), static_cast<const TDIBX*>(nullptr)}) {
        TDIBX out;
        CutMask(mask, &region, side, 6, 4, out);
        ASSERT_EQ(out.Width(), 6);
        ASSERT_EQ(out.Height(), 4);
        ASSERT_EQ(out.BitCount(), 8);
        for (int32_t y = 0; y < 4; ++y)
          for (int32_t x = 0; x < 6; ++x) {
            const bool kept = region.Contains(x, y) == (side == TRegionSide::kInside);
            const uint32_t value = mask ? mask->GetPixel(x, y) : 255u;
            EXPECT_EQ(out.GetPixel(x, y), kept ? value : 0u) << x << "," << y;
          }
      }
}

TEST(RegionMask, WithoutARegionNothingIsInside) {
  const Loaded loaded;
  TDIBX out;
  CutMask(&loaded, nullptr, TRegionSide::kOutside, 6, 4, out);
  EXPECT_EQ(out.GetPixel(5, 3), loaded.GetPixel(5, 3));
  CutMask(&loaded, nullptr, TRegionSide::kInside, 6, 4, out);
  EXPECT_EQ(out.GetPixel(5, 3), 0u);
  CutMask(nullptr, nullptr, TRegionSide::kOutside, 6, 4, out);
  EXPECT_EQ(out.GetPixel(0, 0), 255u);
}

}  // namespace
}  // namespace rivo

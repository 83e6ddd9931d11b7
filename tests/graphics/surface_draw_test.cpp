// Placements, clipping, flips, keys, frames and the clip state of surfaces.

#include <gtest/gtest.h>

#include "graphics/bmp_codec.h"
#include "graphics/surface_fixture.h"

namespace rivo {
namespace {

using testing::Numbered;
using testing::Row;
using testing::Surface;
using testing::SurfaceOf;

TEST(SurfaceDrawTest, AFlippedDrawClippedOnTheLeftShowsTheMirroredColumns) {
  auto src = Numbered(10, 1);
  auto d = Surface(10, 1);
  d->Draw(-5, 0, false, true, false, src->GetBounds(), *src);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(d->GetPixel(x, 0), src->GetPixel(4 - x, 0)) << x;
  EXPECT_EQ(d->GetPixel(5, 0), 0u);
}

TEST(SurfaceDrawTest, ClippingCutsTheKeptEdgeOfFlippedSources) {
  struct Case { const char* name; int x, y; bool flip_v, flip_h; TRect clip; };
  const Case cases[] = {
      {"plain, clipped left and top", -2, -1, false, false, {0, 0, 6, 5}},
      {"flip H, clipped right", 3, 0, false, true, {0, 0, 6, 5}},
      {"flip V, clipped bottom", 0, 2, true, false, {0, 0, 6, 5}},
      {"both flips, narrow clip", 1, 1, true, true, {2, 2, 4, 3}},
  };
  auto src = Numbered(5, 4);
  for (const Case& c : cases) {
    auto d = Surface(6, 5, 32, 1);
    d->SetClipRect(c.clip);
    d->Draw(c.x, c.y, c.flip_v, c.flip_h, false, src->GetBounds(), *src);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) {
        const int sx = x - c.x, sy = y - c.y;
        const bool inside = c.clip.Contains(x, y) && sx >= 0 && sx < 5 && sy >= 0 && sy < 4;
        const uint32_t expected =
            inside ? src->GetPixel(c.flip_h ? 4 - sx : sx, c.flip_v ? 3 - sy : sy) : 1u;
        ASSERT_EQ(d->GetPixel(x, y), expected) << c.name << " at " << x << "," << y;
      }
  }
}

TEST(SurfaceDrawTest, SourceRectanglesOutsideTheSourceDrawOnlyTheirInsidePart) {
  auto src = Numbered(4, 4);
  auto d = Surface(8, 8, 32, 1);
  d->Draw(0, 0, false, false, false, {-2, -2, 6, 6}, *src);
  EXPECT_EQ(d->GetPixel(0, 0), 1u);
  EXPECT_EQ(d->GetPixel(2, 2), src->GetPixel(0, 0));
  EXPECT_EQ(d->GetPixel(5, 5), src->GetPixel(3, 3));
  EXPECT_EQ(d->GetPixel(6, 6), 1u);
  auto small_mask = Surface(2, 2, 8, 255);
  auto e = Surface(4, 4, 32, 1);
  e->DrawMask(0, 0, *small_mask, false, false, src->GetBounds(), *src);
  EXPECT_EQ(e->GetPixel(1, 1), src->GetPixel(1, 1));
  EXPECT_EQ(e->GetPixel(2, 1), 1u);
}

TEST(SurfaceDrawTest, KeyPixelsAreSkippedByDrawAndAlwaysByDrawAdd) {
  auto src = SurfaceOf(4, 1, 32, {5, 7, 7, 9});
  src->SetTransparentColor(7);
  auto d = Surface(4, 1, 32, 100);
  d->Draw(0, 0, false, false, true, src->GetBounds(), *src);
  EXPECT_EQ(Row(*d, 0), (std::vector<uint32_t>{5, 100, 100, 9}));
  auto a = Surface(4, 1, 32, 100);
  a->DrawAdd(0, 0, 255, false, false, src->GetBounds(), *src);
  EXPECT_EQ(Row(*a, 0), (std::vector<uint32_t>{104, 100, 100, 108}));
  auto n = Surface(4, 1, 32, 100);
  n->Draw(0, 0, false, false, false, src->GetBounds(), *src);
  EXPECT_EQ(Row(*n, 0), (std::vector<uint32_t>{5, 7, 7, 9}));
}

TEST(SurfaceDrawTest, SourcesOfAnotherFormatDrawNothing) {
  auto src = Surface(2, 2, 8, 9);
  auto d = Surface(2, 2, 32, 1);
  d->Draw(0, 0, false, false, false, src->GetBounds(), *src);
  d->DrawAlpha(0, 0, 100, false, false, false, src->GetBounds(), *src);
  EXPECT_EQ(d->GetPixel(1, 1), 1u);
}

TEST(SurfaceDrawTest, AnEmptyClipDrawsNothingAndNoClipDrawsEverywhere) {
  auto d = Surface(4, 4);
  d->SetClipRect({2, 2, 2, 2});
  d->FillRect(d->GetBounds(), 5);
  EXPECT_EQ(d->GetPixel(0, 0), 0u);
  d->ResetClip();
  d->FillRect(d->GetBounds(), 5);
  EXPECT_EQ(d->GetPixel(3, 3), 5u);
}

TEST(SurfaceDrawTest, AddClipRectGrowsTheUnionAndIgnoresRectanglesOutside) {
  auto d = Surface(10, 10);
  d->AddClipRect({20, 20, 30, 30});
  EXPECT_FALSE(d->HasClip());
  d->AddClipRect({-5, 1, 2, 3});
  EXPECT_EQ(d->GetClipRect(), (TRect{0, 1, 2, 3}));
  d->AddClipRect({6, 5, 8, 12});
  EXPECT_EQ(d->GetClipRect(), (TRect{0, 1, 8, 10}));
  d->AddClipRect({50, 0, 60, 5});
  EXPECT_EQ(d->GetClipRect(), (TRect{0, 1, 8, 10}));
}

TEST(SurfaceDrawTest, FramesFillFourBandsAndSkipTheSidesWhenNothingIsBetween) {
  auto d = Surface(6, 5);
  d->FrameRect({0, 0, 6, 5}, 1, 1);
  const std::vector<uint32_t> expected = {1, 1, 1, 1, 1, 1,  //
                                          1, 0, 0, 0, 0, 1,  //
                                          1, 0, 0, 0, 0, 1,  //
                                          1, 0, 0, 0, 0, 1,  //
                                          1, 1, 1, 1, 1, 1};
  EXPECT_EQ(testing::PixelsOf(*d), expected);
  auto thick = Surface(3, 4);
  thick->FrameRectAdd({0, 0, 3, 4}, 2, 1);  // bands of 2 meet; no sides
  EXPECT_EQ(testing::PixelsOf(*thick), std::vector<uint32_t>(12, 1));
  auto overlap = Surface(3, 3);
  overlap->FrameRectAdd({0, 0, 3, 3}, 2, 1);  // top and bottom bands overlap in the middle row
  EXPECT_EQ(Row(*overlap, 1), (std::vector<uint32_t>{2, 2, 2}));
}

TEST(SurfaceDrawTest, AssignCopiesBlockwiseOnlyBetweenEqualFormats) {
  auto src = Numbered(3, 2);
  auto same = Surface(3, 2);
  same->Assign(*src);
  EXPECT_EQ(testing::PixelsOf(*same), testing::PixelsOf(*src));
  // One pixel wide: equal pitch, but an 8-bit surface is no copy of a 32-bit one.
  auto thin32 = SurfaceOf(1, 2, 32, {0x123456, 0x654321});
  auto thin8 = Surface(1, 2, 8, 7);
  thin8->Assign(*thin32);
  EXPECT_EQ(thin8->GetPixel(0, 0), 7u);
}

TEST(SurfaceDrawTest, IndexedAddMapsThroughTheTableFromTheLowestIndex) {
  uint32_t table[256] = {};
  for (uint32_t i = 0; i < 256; ++i) table[i] = testing::Grey(i);
  auto heat = SurfaceOf(3, 1, 8, {16, 17, 200});
  auto d = Surface(3, 1, 32, testing::Grey(10));
  d->DrawIndexedAdd(0, 0, table, 255, false, false, 17, heat->GetBounds(), *heat);
  EXPECT_EQ(Row(*d, 0), (std::vector<uint32_t>{testing::Grey(10), testing::Grey(26),
                                               testing::Grey(209)}));
}

}  // namespace
}  // namespace rivo

namespace rivo {
namespace {

TEST(SurfaceFormatTest, ColorToPixelPlacesTheTopBitsOfEachComponent) {
  struct Case { int bits; int64_t color, expected; };
  const Case cases[] = {{32, 0x0000FF, 0xFF0000}, {32, 0x123456, 0x563412}, {24, 0x0000FF, 0xFF0000},
                        {16, 0x0000FF, 0xF800},   {15, 0x00FF00, 0x03E0},   {8, 0x123456, 0x123456},
                        {32, -1, -1}};
  for (const Case& c : cases) {
    TDIBX s;
    s.SetSize(1, 1, c.bits);
    EXPECT_EQ(s.ColorToPixel(c.color), c.expected) << c.bits;
  }
  TDIBX fifteen;
  fifteen.SetSize(1, 1, 15);
  EXPECT_EQ(fifteen.BitCount(), 15);
  EXPECT_EQ(fifteen.StoredBitCount(), 16);
  EXPECT_EQ(fifteen.GreenMask(), 0x3E0u);
  TDIBX coverage;
  coverage.SetSize(1, 1, 8);
  EXPECT_EQ(coverage.RedMask(), 0u);
}

TEST(SurfaceFormatTest, BitmapsLoadIntoTheSurfaceFormatAndSaveAsTwentyFourBits) {
  TDIB palette_picture;
  palette_picture.SetSize(2, 1, 8);
  palette_picture.Palette()[5] = {0x30, 0x20, 0x10, 0};
  palette_picture.WritePixel(1, 0, 5);
  TDIBX s;
  s.SetSize(1, 1, 32);
  s.LoadFromBitmap(WriteBitmapFile(palette_picture), "p.bmp");
  EXPECT_EQ(s.Width(), 2);
  EXPECT_EQ(s.BitCount(), 32);
  EXPECT_EQ(s.GetPixel(1, 0), 0x102030u);
  TDIB alpha_picture;
  alpha_picture.SetSize(1, 1, 32);
  alpha_picture.WritePixel(0, 0, 0x80ABCDEF);
  s.LoadFromBitmap(WriteBitmapFile(alpha_picture), "a.bmp");
  EXPECT_EQ(s.GetPixel(0, 0), 0xABCDEFu);
  const TDIB saved = ReadBitmapFile(s.SaveToBitmap(), "s.bmp");
  EXPECT_EQ(saved.BitCount(), 24);
  EXPECT_EQ(saved.ReadPixel(0, 0), 0xABCDEFu);
  s.FreeImage();
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(s.SaveToBitmap(), "");
}

}  // namespace
}  // namespace rivo

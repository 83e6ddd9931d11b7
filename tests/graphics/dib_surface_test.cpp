#include "graphics/dib_surface.h"

#include <gtest/gtest.h>

#include "graphics/dib_fixture.h"

namespace rivo {
namespace {

using testing::PictureOf;

TDIBSurface Solid(int32_t w, int32_t h, int32_t bits, uint32_t value) {
  TDIBSurface s;
  s.SetSize(w, h, bits);
  s.FillRect(s.GetBounds(), value);
  return s;
}

TEST(DibSurfaceTest, DrawOpacityDividesBy255OnTwentyFourBitsAndShiftsOnThirtyTwo) {
  TDIBSurface d24 = Solid(1, 1, 24, 0x646464), s24 = Solid(1, 1, 24, 0xC8C8C8);
  d24.DrawOpacity(0, 0, 128, -1, s24.GetBounds(), s24);
  EXPECT_EQ(d24.ReadPixel(0, 0), 0x969696u);  // (100*127 + 200*128) div 255 = 150
  TDIBSurface d32 = Solid(1, 1, 32, 0x646464), s32 = Solid(1, 1, 32, 0xC8C8C8);
  d32.DrawOpacity(0, 0, 128, -1, s32.GetBounds(), s32);
  EXPECT_EQ(d32.ReadPixel(0, 0), 0x959595u);  // shr 8 gives 149
  TDIBSurface d16 = Solid(1, 1, 16, 10 << 11), s16 = Solid(1, 1, 16, 20 << 11);
  d16.DrawOpacity(0, 0, 128, -1, s16.GetBounds(), s16);
  EXPECT_EQ(d16.ReadPixel(0, 0), uint32_t{((((10u << 11) * 127 + (20u << 11) * 128) / 255) & 0xF800)});
}

TEST(DibSurfaceTest, DrawOpacityOnThirtyTwoBitsClearsTheFourthByte) {
  TDIBSurface d = Solid(1, 1, 32, 0xFF000000), s = Solid(1, 1, 32, 0xFF000000);
  d.DrawOpacity(0, 0, 100, -1, s.GetBounds(), s);
  EXPECT_EQ(d.ReadPixel(0, 0), 0u);
}

TEST(DibSurfaceTest, PaletteOpacityDithersAnchoredToTheDestination) {
  TDIBSurface d = Solid(8, 8, 8, 0), s = Solid(8, 8, 8, 9);
  d.DrawOpacity(0, 0, 16, -1, s.GetBounds(), s);  // level 1
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool written = (x % 4 == 0 && y % 4 == 0) || (x % 4 == 2 && y % 4 == 2);
      EXPECT_EQ(d.ReadPixel(x, y), written ? 9u : 0u) << x << "," << y;
    }
  TDIBSurface keyed = Solid(4, 1, 8, 0), src = Solid(4, 1, 8, 5);
  src.WritePixel(1, 0, 3);
  keyed.DrawOpacity(0, 0, 240, 3, src.GetBounds(), src);  // level 15 copies, except the key
  EXPECT_EQ(keyed.ReadPixel(0, 0), 5u);
  EXPECT_EQ(keyed.ReadPixel(1, 0), 0u);
}

TEST(DibSurfaceTest, DrawThroughMaskWeighsEachPixelByTheSourceMask) {
  TDIBSurface d = Solid(3, 1, 24, 0), s = Solid(3, 1, 24, 0xFFFFFF);
  TDIBSurface& m = s.CreateMask();
  m.WritePixel(0, 0, 0);
  m.WritePixel(1, 0, 255);
  m.WritePixel(2, 0, 128);
  d.DrawThroughMask(0, 0, 255, s.GetBounds(), s);
  EXPECT_EQ(d.ReadPixel(0, 0), 0u);
  EXPECT_EQ(d.ReadPixel(1, 0), 0xFFFFFFu);
  EXPECT_EQ(d.ReadPixel(2, 0), 0x7F7F7Fu);  // (255 * 128) shr 8

  // Opacity counts on 24 bits only; weights a * m below 256 keep the pixel.
  TDIBSurface faint = Solid(3, 1, 24, 0);
  m.WritePixel(0, 0, 1);
  faint.DrawThroughMask(0, 0, 200, s.GetBounds(), s);
  EXPECT_EQ(faint.ReadPixel(0, 0), 0u);
  EXPECT_EQ(faint.ReadPixel(1, 0), 0xC6C6C6u);  // w = 199; (255 * 199) shr 8 = 198

  TDIBSurface p = Solid(2, 1, 8, 1), ps = Solid(2, 1, 8, 7);
  ps.CreateMask().WritePixel(0, 0, 128);
  p.DrawThroughMask(0, 0, 255, ps.GetBounds(), ps);
  EXPECT_EQ(p.ReadPixel(0, 0), 7u);
  EXPECT_EQ(p.ReadPixel(1, 0), 1u);
}

TEST(DibSurfaceTest, AKeyOfMinusOneNeverSkipsEvenAllOnesPixels) {
  TDIBSurface d = Solid(1, 1, 32, 0), s = Solid(1, 1, 32, 0xFFFFFFFF);
  d.CopyKeyed(0, 0, -1, s.GetBounds(), s);
  EXPECT_EQ(d.ReadPixel(0, 0), 0xFFFFFFFFu);
  TDIBSurface k = Solid(1, 1, 32, 0);
  k.CopyKeyed(0, 0, 0xFFFFFFFF, s.GetBounds(), s);
  EXPECT_EQ(k.ReadPixel(0, 0), 0u);
}

TEST(DibSurfaceTest, CopiesFollowBitAndNibblePositionsOnBothSides) {
  TDIBSurface src = PictureOf<TDIBSurface>(8, 1, 1, {0, 1, 1, 0, 0, 0, 0, 0});
  TDIBSurface dest;
  dest.SetSize(8, 1, 1);
  dest.CopyRect(5, 0, TRect{1, 0, 4, 1}, src);
  EXPECT_EQ(dest.ScanLine(0)[0], 0x06);  // pixels 5 and 6
  TDIBSurface n4src = PictureOf<TDIBSurface>(3, 1, 4, {0xA, 0xB, 0});
  TDIBSurface n4;
  n4.SetSize(4, 1, 4);
  n4.CopyRect(1, 0, TRect{0, 0, 2, 1}, n4src);
  EXPECT_EQ(n4.ReadPixel(1, 0), 0xAu);
  EXPECT_EQ(n4.ReadPixel(2, 0), 0xBu);
}

TEST(DibSurfaceTest, CopiesClipToTheDestinationAndToTheSource) {
  TDIBSurface src;
  src.SetSize(4, 4, 8);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) src.WritePixel(x, y, static_cast<uint32_t>(10 * y + x));
  TDIBSurface d = Solid(4, 4, 8, 99);
  d.CopyRect(-1, 2, TRect{0, 0, 4, 4}, src);
  EXPECT_EQ(d.ReadPixel(0, 2), 1u);
  EXPECT_EQ(d.ReadPixel(2, 3), 13u);
  EXPECT_EQ(d.ReadPixel(3, 1), 99u);
  // A source rectangle reaching outside the source draws only its inside part.
  TDIBSurface e = Solid(4, 4, 8, 99);
  e.CopyRect(0, 0, TRect{-2, -1, 2, 6}, src);
  EXPECT_EQ(e.ReadPixel(1, 1), 99u);
  EXPECT_EQ(e.ReadPixel(2, 1), 0u);
  EXPECT_EQ(e.ReadPixel(3, 4 - 1), 21u);
}

TEST(DibSurfaceTest, FillRectFillsOnlyTheInsidePartReducedToTheFormat) {
  TDIBSurface d = Solid(4, 4, 16, 0);
  d.SetSize(4, 4, 15);
  d.FillRect(TRect{-3, 2, 2, 10}, 0xFFFF);
  EXPECT_EQ(d.ReadPixel(1, 3), 0x7FFFu);
  EXPECT_EQ(d.ReadPixel(2, 3), 0u);
  EXPECT_EQ(d.ReadPixel(1, 1), 0u);
}

// Every format's fill writes, inside the surface, what writing the pixels
// one by one writes, reduced to the format (thirty-two bits fill whole
// words at once).
TEST(DibSurfaceTest, FillRectWritesWhatPixelWritesWrite) {
  const TRect rects[] = {{-3, 2, 2, 10}, {1, 1, 6, 4}, {0, 0, 7, 5}, {5, 4, 6, 5}, {3, 3, 3, 9}};
  for (int32_t bits : {1, 4, 8, 15, 16, 24, 32})
    for (const TRect& r : rects)
      for (uint32_t value : {0u, 0x00123456u, 0xFF9ABCDEu}) {
        // Formats below a byte and fifteen bits keep the value's low bits.
        const uint32_t reduced = bits == 1 || bits == 4 || bits == 15 ? value & ((1u << bits) - 1) : value;
        TDIBSurface filled = Solid(7, 5, bits, 0x5A5A5A5A), written = Solid(7, 5, bits, 0x5A5A5A5A);
        filled.FillRect(r, value);
        for (int32_t y = 0; y < 5; ++y)
          for (int32_t x = 0; x < 7; ++x)
            if (r.Contains(x, y)) written.WritePixel(x, y, reduced);
        for (int32_t y = 0; y < 5; ++y)
          for (int32_t x = 0; x < 7; ++x)
            ASSERT_EQ(filled.ReadPixel(x, y), written.ReadPixel(x, y))
                << bits << " bits, value " << value << ", at " << x << "," << y;
      }
}

TEST(DibSurfaceTest, ColourValuesConvertByBitCount) {
  struct Case { int bits; uint32_t value; TRgb plain; TRgb expanded; };
  const Case cases[] = {
      {15, 0x7C00 | 0x1, {0xF8, 0, 0x08}, {0xFF, 0, 0x0F}},
      {16, 0xF800 | 0x20, {0xF8, 0x04, 0}, {0xFF, 0x07, 0}},
      {24, 0x102030, {0x10, 0x20, 0x30}, {0x10, 0x20, 0x30}},
      {32, 0x102030, {0x10, 0x20, 0x30}, {0x10, 0x20, 0x30}},
  };
  for (const Case& c : cases) {
    TDIBSurface s;
    s.SetSize(1, 1, c.bits);
    EXPECT_EQ(s.ValueToColor(c.value, false), c.plain) << c.bits;
    EXPECT_EQ(s.ValueToColor(c.value, true), c.expanded) << c.bits;
    EXPECT_EQ(s.ColorToValue(c.plain.red, c.plain.green, c.plain.blue), c.value) << c.bits;
  }
  TDIBSurface p;
  p.SetSize(1, 1, 4);
  p.Palette()[3] = {200, 100, 50, 0};
  EXPECT_EQ(p.ColorToValue(50, 100, 190), 3u);
  EXPECT_EQ(p.ValueToColor(3, false), (TRgb{50, 100, 200}));
}

TEST(DibSurfaceTest, ResampleAveragesBlocksSkippingTheKey) {
  TDIBSurface s;
  s.SetSize(4, 4, 24);
  const uint32_t block[4] = {0x000000, 0x040404, 0x080808, 0x0C0C0C};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) s.WritePixel(x, y, block[(y % 2) * 2 + x % 2] + (x / 2) * 0x100000);
  s.WritePixel(2, 2, 0xFF00FF);
  s.WritePixel(3, 2, 0xFF00FF);
  s.WritePixel(2, 3, 0xFF00FF);
  s.WritePixel(3, 3, 0xFF00FF);
  TDIBSurface keyed = s;
  s.Resample(2, 2, -1, true);
  EXPECT_EQ(s.BitCount(), 24);
  EXPECT_EQ(s.ReadPixel(0, 0), 0x060606u);
  EXPECT_EQ(s.ReadPixel(1, 0), 0x160606u);
  EXPECT_EQ(s.ReadPixel(1, 1), 0xFF00FFu);
  keyed.WritePixel(0, 0, 0xFF00FF);
  keyed.Resample(2, 2, 0xFF00FF, true);
  EXPECT_EQ(keyed.ReadPixel(0, 0), 0x080808u);  // (4 + 8 + 12) / 3
  EXPECT_EQ(keyed.ReadPixel(1, 1), 0xFF00FFu);  // only key pixels: the key
}

TEST(DibSurfaceTest, ResampleEnlargesBilinearlyAndKeepsTheMaskAlongside) {
  TDIBSurface s = PictureOf<TDIBSurface>(2, 1, 32, {0x000000, 0x646464});
  s.CreateMask().FillRect(TRect{0, 0, 1, 1}, 255);
  s.Resample(4, 1, -1, true);
  EXPECT_EQ(s.BitCount(), 32);
  EXPECT_EQ(s.ReadPixel(1, 0), 0x323232u);  // halfway between 0 and 100
  EXPECT_EQ(s.ReadPixel(3, 0), 0x323232u);  // half of 100 beside the missing pixel 2
  ASSERT_TRUE(s.HasMask());
  EXPECT_EQ(s.Mask()->Width(), 4);
  EXPECT_EQ(s.Mask()->ReadPixel(1, 0), 128u);  // 255 / 2 rounded to even

  TDIBSurface n = PictureOf<TDIBSurface>(2, 2, 8, {0, 0, 0, 7});
  n.Resample(4, 4, -1, false);
  EXPECT_EQ(n.BitCount(), 8);
  EXPECT_EQ(n.ReadPixel(3, 3), 7u);
  EXPECT_EQ(n.ReadPixel(1, 3), 0u);
}

TEST(DibSurfaceTest, MaskCompanionsStartTransparentAndFollowTheSize) {
  TDIBSurface s;
  s.SetSize(3, 2, 24);
  TDIBSurface& m = s.CreateMask();
  EXPECT_EQ(m.BitCount(), 8);
  EXPECT_EQ(m.ReadPixel(2, 1), 0u);
  s.FillMaskOpaque();
  EXPECT_EQ(s.Mask()->ReadPixel(2, 1), 255u);
  s.SetSize(5, 4, 24);
  EXPECT_EQ(s.Mask()->Width(), 5);
  EXPECT_EQ(s.Mask()->ReadPixel(4, 3), 0u);
  TDIBSurface copy = s;
  copy.Mask()->WritePixel(0, 0, 1);
  EXPECT_EQ(s.Mask()->ReadPixel(0, 0), 0u);
  s.Clear();
  EXPECT_FALSE(s.HasMask());
}

TEST(DibSurfaceTest, FourthBytesBecomeTheMaskUnlessTheyAreAllZero) {
  TDIBSurface none = Solid(2, 2, 32, 0x123456);
  EXPECT_FALSE(none.TakeFourthByteAsMask());
  EXPECT_FALSE(none.HasMask());
  TDIBSurface alpha = Solid(2, 1, 32, 0x123456);
  alpha.WritePixel(1, 0, 0x80123456);
  EXPECT_TRUE(alpha.TakeFourthByteAsMask());
  EXPECT_EQ(alpha.Mask()->ReadPixel(0, 0), 0u);
  EXPECT_EQ(alpha.Mask()->ReadPixel(1, 0), 0x80u);
  EXPECT_EQ(alpha.ReadPixel(1, 0), 0x123456u);
}

}  // namespace
}  // namespace rivo

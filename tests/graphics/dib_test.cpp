#include "graphics/dib.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "graphics/dib_fixture.h"

namespace rivo {
namespace {

using testing::PictureOf;

TEST(DibTest, FifteenBitsAreStoredAsSixteenWithTheFiveFiveFiveLayout) {
  TDIB dib;
  dib.SetSize(3, 2, 15);
  EXPECT_EQ(dib.BitCount(), 16);
  EXPECT_EQ(dib.EffectiveBitCount(), 15);
  EXPECT_EQ(dib.Format().red_mask, 0x7C00u);
  EXPECT_EQ(dib.Format().green_mask, 0x3E0u);
  EXPECT_EQ(dib.Format().blue_mask, 0x1Fu);
  dib.SetSize(3, 2, 16);
  EXPECT_EQ(dib.EffectiveBitCount(), 16);
  EXPECT_EQ(dib.Format().green_mask, 0x7E0u);
}

TEST(DibTest, NewPixelsAreZeroAndRowsArePaddedToFourBytes) {
  TDIB dib;
  dib.SetSize(5, 3, 24);
  EXPECT_EQ(dib.RowLength(), 16);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(dib.ReadPixel(x, y), 0u);
  dib.SetSize(0, 3, 24);
  EXPECT_TRUE(dib.IsEmpty());
}

TEST(DibTest, PixelsRoundTripInEveryBitCountAndOutsideWritesAreIgnored) {
  struct Case { int bits; uint32_t value; };
  for (Case c : {Case{1, 1}, Case{4, 0xA}, Case{8, 0xC3}, Case{16, 0xBEEF}, Case{24, 0x123456},
                 Case{32, 0x00ABCDEF}}) {
    TDIB dib;
    dib.SetSize(9, 2, c.bits);
    dib.WritePixel(7, 1, c.value);
    dib.WritePixel(9, 1, c.value);
    dib.WritePixel(-1, 0, c.value);
    EXPECT_EQ(dib.ReadPixel(7, 1), c.value) << c.bits;
    EXPECT_EQ(dib.ReadPixel(6, 1), 0u) << c.bits;
    EXPECT_EQ(dib.ReadPixel(8, 1), 0u) << c.bits;
    EXPECT_EQ(dib.ReadPixel(9, 1), 0u) << c.bits;
  }
}

TEST(DibTest, OnePixelPerBitIsPackedFromTheMostSignificantBit) {
  TDIB dib = PictureOf<TDIB>(8, 1, 1, {1, 0, 0, 0, 0, 0, 1, 0});
  EXPECT_EQ(dib.ScanLine(0)[0], 0x82);
  TDIB nibbles = PictureOf<TDIB>(2, 1, 4, {0x3, 0xC});
  EXPECT_EQ(nibbles.ScanLine(0)[0], 0x3C);
}

TEST(DibTest, ScanLineOutsideThePictureNamesTheRow) {
  TDIB dib;
  dib.SetSize(2, 2, 8);
  try {
    dib.ScanLine(2);
    FAIL();
  } catch (const RivoError& e) {
    EXPECT_STREQ(e.what(), "スキャンラインのインデックスが範囲を越えました (2)");
  }
}

TEST(DibTest, OversizedPicturesAreRefused) {
  TDIB dib;
  EXPECT_THROW(dib.SetSize(kMaxPictureSide + 1, 1, 8), RivoError);
  EXPECT_THROW(dib.SetSize(20000, 20000, 32), RivoError);
  EXPECT_THROW(dib.SetSize(4, 4, 7), RivoError);
}

TEST(DibTest, CopiesShareThePixelsUntilOneOfThemWrites) {
  TDIB a = PictureOf<TDIB>(2, 2, 32, {0x112233});
  TDIB b = a;
  EXPECT_EQ(b.Bits(), a.Bits());
  b.WritePixel(0, 0, 0x445566);
  EXPECT_EQ(a.ReadPixel(0, 0), 0x112233u);
  EXPECT_EQ(b.ReadPixel(0, 0), 0x445566u);
  // A row asked for writing is the copy's own row, at the same place.
  TDIB c = a;
  c.ScanLine(1)[4] = 0x77;
  EXPECT_EQ(a.ReadPixel(1, 1), 0u);
  EXPECT_EQ(c.ReadPixel(1, 1), 0x77u);
  EXPECT_EQ(c.ReadPixel(0, 0), 0x112233u);
}

TEST(DibTest, SizingForOverwriteGivesTheGeometryOfSetSizeAndKeepsAnUnchangedPicture) {
  for (const int bits : {1, 8, 16, 24, 32}) {
    TDIB zeroed, overwritten;
    zeroed.SetSize(5, 3, bits);
    overwritten.SetSizeForOverwrite(5, 3, bits);
    EXPECT_EQ(overwritten.RowLength(), zeroed.RowLength()) << bits;
    EXPECT_EQ(overwritten.Height(), 3) << bits;
    overwritten.WritePixel(4, 2, 1);
    overwritten.SetSizeForOverwrite(5, 3, bits);
    EXPECT_EQ(overwritten.ReadPixel(4, 2), 1u) << bits;
  }
}

TEST(DibTest, BitCountConversionRepeatsTheTopBitsOfNarrowChannels) {
  // The second pixel: red 1, green 16, blue 1.
  TDIB dib = PictureOf<TDIB>(2, 1, 15, {0x7FFF, 1 << 10 | 0x10 << 5 | 0x01});
  dib.SetBitCount(24);
  EXPECT_EQ(dib.BitCount(), 24);
  EXPECT_EQ(dib.ReadPixel(0, 0), 0xFFFFFFu);
  // A 5-bit channel c sits in the top bits (c << 3) and is or-ed with itself
  // shifted right by 3: 1 -> 8 | 1 = 9, 16 -> 0x80 | 0x10 = 0x90.
  EXPECT_EQ(dib.ReadPixel(1, 0), 0x099009u);
}

TEST(DibTest, ThirtyTwoToTwentyFourDropsTheFourthByte) {
  TDIB dib = PictureOf<TDIB>(1, 1, 32, {0x7F102030});
  dib.SetBitCount(24);
  EXPECT_EQ(dib.ReadPixel(0, 0), 0x102030u);
  dib.SetBitCount(16);
  EXPECT_EQ(dib.ReadPixel(0, 0), uint32_t{(0x10 >> 3) << 11 | (0x20 >> 2) << 5 | 0x30 >> 3});
}

TEST(DibTest, PalettePicturesExpandThroughThePaletteAndComeBackAsNearestEntries) {
  TDIB dib;
  dib.SetSize(2, 1, 8);
  dib.Palette()[0] = {0, 0, 0, 0};
  dib.Palette()[1] = {10, 20, 250, 0};
  dib.Palette()[2] = {200, 200, 200, 0};
  dib.WritePixel(0, 0, 1);
  dib.WritePixel(1, 0, 2);
  dib.SetBitCount(32);
  EXPECT_EQ(dib.ReadPixel(0, 0), 0xFA140Au);
  dib.WritePixel(1, 0, 0xC0C0C0);  // nearest to entry 2
  dib.SetBitCount(8);
  EXPECT_EQ(dib.ReadPixel(0, 0), 1u);
  EXPECT_EQ(dib.ReadPixel(1, 0), 2u);
}

}  // namespace
}  // namespace rivo

// Layered images written by TOrbaFrameList and read back; other picture
// formats read through the same interface.

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/byte_reader.h"
#include "graphics/bmp_codec.h"
#include "graphics/orba_fixture.h"
#include "graphics/orba_frame_list.h"
#include "graphics/png_codec.h"

namespace rivo {
namespace {

// A picture of every bit count with a pattern that uses the whole format.
TOrbaFrame& AddPatternFrame(TOrbaFrameList& list, int32_t w, int32_t h, int32_t bits, bool mask) {
  TOrbaFrame& f = list.AddFrame();
  f.surface.SetSize(w, h, bits);
  for (int32_t i = 0; i < 256; ++i)
    f.surface.Palette()[static_cast<std::size_t>(i)] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                                        static_cast<uint8_t>(i * 7), 0};
  uint32_t seed = 12345;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      seed = seed * 1103515245u + 12345u;
      f.surface.WritePixel(x, y, (seed >> 8) & (bits >= 24 ? 0xFFFFFFu : (1u << std::min(bits, 16)) - 1));
    }
  if (mask) {
    TDIBSurface& m = f.surface.CreateMask();
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) m.WritePixel(x, y, static_cast<uint32_t>(x * 31 + y * 17) & 0xFF);
  }
  f.delay = 40 + bits;
  f.SetTransparentValue(static_cast<int32_t>(f.surface.ReadPixel(1, 1)));
  return f;
}

std::vector<uint32_t> Pixels(const TDIB& picture) {
  std::vector<uint32_t> out;
  for (int32_t y = 0; y < picture.Height(); ++y)
    for (int32_t x = 0; x < picture.Width(); ++x) out.push_back(picture.ReadPixel(x, y));
  return out;
}

TEST(OrbaWriterTest, EveryBitCountRoundTripsWithEveryLosslessCompressionAndKey) {
  for (int32_t bits : {1, 4, 8, 15, 16, 24, 32}) {
    for (uint8_t compression : {ORBA_ZLIB, ORBA_RAW}) {
      for (int32_t key : {0, 12345}) {
        SCOPED_TRACE(::testing::Message() << bits << " bits, compression " << int{compression} << ", key " << key);
        TOrbaFrameList list(key);
        AddPatternFrame(list, 13, 7, bits, bits >= 8);
        AddPatternFrame(list, 3, 2, bits, false).first_rects = {{1, 2, 3, 4}};
        const std::string bytes = list.SaveToStream(compression);
        TOrbaFrameList back(key);
        back.LoadFromStream(bytes, "w.orb");
        EXPECT_EQ(back.Version(), 106);
        EXPECT_EQ(back.Header().scrambled, key != 0);
        EXPECT_EQ(back.Header().compression, key != 0 ? uint8_t{ORBA_RAW} : compression);
        ASSERT_EQ(back.Count(), 2);
        for (int32_t i = 0; i < 2; ++i) {
          const TOrbaFrame& a = list.Frames(i);
          const TOrbaFrame& b = back.Frames(i);
          EXPECT_EQ(b.name, "Frame" + std::to_string(i + 1));
          EXPECT_EQ(b.surface.EffectiveBitCount(), bits);
          EXPECT_EQ(Pixels(b.surface), Pixels(a.surface));
          EXPECT_EQ(b.transparent_value, a.transparent_value);
          EXPECT_EQ(b.transparent_color, a.transparent_color);
          EXPECT_EQ(b.delay, a.delay);
          EXPECT_EQ(b.first_rects, a.first_rects);
          ASSERT_EQ(b.HasMask(), a.HasMask());
          if (a.HasMask()) { EXPECT_EQ(Pixels(*b.surface.Mask()), Pixels(*a.surface.Mask())); }
          if (bits <= 8) { EXPECT_EQ(b.surface.Palette()[1], a.surface.Palette()[1]); }
        }
      }
    }
  }
}

TEST(OrbaWriterTest, JpegColourStaysWithinToleranceAndMasksStayExact) {
  for (int32_t bits : {8, 16, 24, 32}) {
    TOrbaFrameList list;
    TOrbaFrame& f = list.AddFrame();
    f.surface.SetSize(32, 16, 24);
    for (int32_t y = 0; y < 16; ++y)
      for (int32_t x = 0; x < 32; ++x) f.surface.WritePixel(x, y, (x * 4) | (y * 8) << 8 | 0x800000);
    TDIBSurface& m = f.surface.CreateMask();
    for (int32_t x = 0; x < 32; ++x) m.WritePixel(x, 3, static_cast<uint32_t>(x * 8));
    if (bits == 8) {
      for (int32_t i = 0; i < 256; ++i) f.surface.Palette()[static_cast<std::size_t>(i)] = {static_cast<uint8_t>(i), 0, 0x80, 0};
    }
    const TDIBSurface original = f.surface;
    if (bits != 24) f.surface.SetBitCount(bits);
    const std::string bytes = list.SaveToStream(ORBA_JPEG, 95);
    TOrbaFrameList back;
    back.LoadFromStream(bytes, "j.orb");
    const TOrbaFrame& b = back.Frames(0);
    ASSERT_EQ(b.surface.BitCount(), 24) << bits;
    EXPECT_EQ(back.Header().quality, 95);
    int worst = 0;
    TDIB expected = f.surface;
    expected.SetBitCount(24);
    for (int32_t y = 0; y < 16; ++y)
      for (int32_t x = 0; x < 32; ++x)
        for (int shift : {0, 8, 16})
          worst = std::max(worst, std::abs(static_cast<int>((b.surface.ReadPixel(x, y) >> shift) & 0xFF) -
                                           static_cast<int>((expected.ReadPixel(x, y) >> shift) & 0xFF)));
    EXPECT_LE(worst, 12) << bits;
    EXPECT_EQ(Pixels(*b.surface.Mask()), Pixels(*original.Mask())) << bits;
  }
}

TEST(OrbaWriterTest, AScrambledFileStoresPictureRowPOfIAsRowIUncompressed) {
  TOrbaFrameList list(1);
  TOrbaFrame& f = list.AddFrame();
  f.surface.SetSize(1, 4, 8);
  for (int32_t y = 0; y < 4; ++y) f.surface.WritePixel(0, y, static_cast<uint32_t>(10 + y));
  const std::string bytes = list.SaveToStream(ORBA_ZLIB);
  // The archive writer compresses exactly such files: byte 22 of the header.
  EXPECT_EQ(bytes[7 + 4 + 22], 1);
  ByteReader in(bytes, "s.orb");
  in.Skip(7 + 4 + 40);
  in.String();
  in.Skip(4 + 4 + 1 + 4 + 4 + 12 + 256 * 4 + 4 + 4 + 1 + 4 + 4 + 1);
  in.String();
  const std::string colour = in.String();
  ASSERT_EQ(colour.size(), 16u);
  // Key 1 on 4 rows: P = 1, 0, 3, 2.
  EXPECT_EQ(colour[0], 11);
  EXPECT_EQ(colour[4], 10);
  EXPECT_EQ(colour[8], 13);
  EXPECT_EQ(colour[12], 12);
}

TEST(OrbaWriterTest, MakeMasksGivesFramesWithoutMaskOneFromTheirTransparentValue) {
  TOrbaFrameList list;
  TOrbaFrame& keyed = list.AddFrame();
  keyed.surface.SetSize(3, 1, 8);
  keyed.surface.WritePixel(1, 0, 4);
  keyed.SetTransparentValue(4);
  TOrbaFrame& plain = list.AddFrame();
  plain.surface.SetSize(2, 1, 24);
  TOrbaFrame& masked = list.AddFrame();
  masked.surface.SetSize(1, 1, 24);
  masked.surface.CreateMask().WritePixel(0, 0, 77);
  list.MakeMasks();
  EXPECT_EQ(Pixels(*list.Frames(0).surface.Mask()), (std::vector<uint32_t>{255, 0, 255}));
  EXPECT_EQ(Pixels(*list.Frames(1).surface.Mask()), (std::vector<uint32_t>{255, 255}));
  EXPECT_EQ(Pixels(*list.Frames(2).surface.Mask()), (std::vector<uint32_t>{77}));
}

TEST(OrbaWriterTest, PngAndBitmapFilesArriveAsOneFrame) {
  TDIBSurface rgba;
  rgba.SetSize(2, 1, 24);
  rgba.WritePixel(0, 0, 0x112233);
  rgba.CreateMask().WritePixel(1, 0, 128);
  TOrbaFrameList png;
  png.LoadFromFile(WritePng(rgba), "A.PNG");
  ASSERT_EQ(png.Count(), 1);
  EXPECT_EQ(Pixels(png.Frames(0).surface), (std::vector<uint32_t>{0x112233, 0}));
  EXPECT_EQ(Pixels(*png.Frames(0).surface.Mask()), (std::vector<uint32_t>{0, 128}));
  EXPECT_EQ(png.Frames(0).transparent_value, -1);

  // A 32-bit bitmap: its fourth bytes are the mask unless all 0, and the
  // picture becomes 24 bits.
  for (uint32_t fourth : {0u, 0x80u}) {
    TDIB bgra;
    bgra.SetSize(2, 1, 32);
    bgra.WritePixel(0, 0, 0x445566 | fourth << 24);
    bgra.WritePixel(1, 0, 0x010203);
    TOrbaFrameList bmp;
    bmp.LoadFromFile(WriteBitmapFile(bgra), "b.Dib");
    ASSERT_EQ(bmp.Count(), 1);
    const TOrbaFrame& f = bmp.Frames(0);
    EXPECT_EQ(f.surface.BitCount(), 24);
    EXPECT_EQ(Pixels(f.surface), (std::vector<uint32_t>{0x445566, 0x010203}));
    ASSERT_EQ(f.HasMask(), fourth != 0);
    if (fourth) { EXPECT_EQ(Pixels(*f.surface.Mask()), (std::vector<uint32_t>{0x80, 0})); }
  }

  TOrbaFrameList other;
  other.LoadFromFile(WritePng(rgba), "a.gif");
  EXPECT_EQ(other.Count(), 0);
}

}  // namespace
}  // namespace rivo

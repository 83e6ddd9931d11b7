#include "graphics/bmp_codec.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "graphics/bmp_fixture.h"

namespace rivo {
namespace {

using testing::BmpLayout;

struct Variant {
  const char* name;
  int bits;
  bool top_down = false;
  bool rle = false;
  bool core = false;
  bool fields = false;
  uint32_t masks[3] = {0, 0, 0};
};

std::vector<Variant> StoreLayoutVariants() {
  return {
      {"1 bit", 1},
      {"1 bit top-down", 1, true},
      {"4 bits", 4},
      {"4 bits RLE4", 4, false, true},
      {"8 bits", 8},
      {"8 bits top-down", 8, true},
      {"8 bits RLE8", 8, false, true},
      {"8 bits OS/2 header", 8, false, false, true},
      {"16 bits 5-5-5", 16},
      {"16 bits 5-6-5 fields", 16, false, false, false, true, {0xF800, 0x7E0, 0x1F}},
      {"24 bits", 24},
      {"24 bits top-down", 24, true},
      {"24 bits OS/2 header", 24, false, false, true},
      {"32 bits", 32},
      {"32 bits fields top-down", 32, true, false, false, true, {0xFF0000, 0xFF00, 0xFF}},
  };
}

BmpLayout LayoutFor(const Variant& v, int32_t width, int32_t height) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.bit_count = v.bits;
  layout.top_down = v.top_down;
  layout.rle = v.rle;
  layout.core_header = v.core;
  layout.bit_fields = v.fields;
  for (int i = 0; i < 3; ++i) layout.masks[i] = v.masks[i];
  if (v.bits <= 8) layout.palette = testing::GreyRampPalette(1 << v.bits);
  layout.pixels = testing::PatternPixels(width, height, v.bits);
  return layout;
}

TEST(BmpCodecTest, EveryStoredLayoutReadsBackItsPixelValues) {
  for (const Variant& v : StoreLayoutVariants()) {
    const BmpLayout layout = LayoutFor(v, 13, 7);
    const TDIB dib = ReadBitmapFile(testing::WriteBmp(layout), "pic.bmp");
    ASSERT_EQ(dib.Width(), 13) << v.name;
    ASSERT_EQ(dib.Height(), 7) << v.name;
    EXPECT_EQ(dib.BitCount(), v.bits) << v.name;
    for (int32_t y = 0; y < 7; ++y)
      for (int32_t x = 0; x < 13; ++x)
        ASSERT_EQ(dib.ReadPixel(x, y), layout.pixels[y * 13 + x]) << v.name << " at " << x << "," << y;
    for (std::size_t i = 0; i < layout.palette.size(); ++i) {
      const TRgbQuad& e = dib.Palette()[i];
      EXPECT_EQ(uint32_t{e.red} << 16 | e.green << 8 | e.blue, layout.palette[i]) << v.name;
    }
  }
}

TEST(BmpCodecTest, SixteenBitFilesKeepTheirLayout) {
  Variant plain{"555", 16};
  EXPECT_EQ(ReadBitmapFile(testing::WriteBmp(LayoutFor(plain, 2, 2)), "a").EffectiveBitCount(), 15);
  Variant fields{"565", 16, false, false, false, true, {0xF800, 0x7E0, 0x1F}};
  EXPECT_EQ(ReadBitmapFile(testing::WriteBmp(LayoutFor(fields, 2, 2)), "a").EffectiveBitCount(), 16);
}

TEST(BmpCodecTest, OtherBitFieldLayoutsArriveAsEightEightEight) {
  struct Case {
    const char* name;
    int bits;
    uint32_t masks[3];
    uint32_t raw;
    uint32_t expected;
  };
  const Case cases[] = {
      {"4-4-4", 16, {0xF00, 0xF0, 0xF}, 0x0A5F, 0xAA55FF},
      {"blue and red swapped", 32, {0xFF, 0xFF00, 0xFF0000}, 0x80112233, 0x80332211},
      {"no red mask", 32, {0, 0xFF00, 0xFF}, 0x00112233, 0x002233},
      {"10-bit channels", 32, {0x3FF00000, 0xFFC00, 0x3FF}, 0x3FF003FF, 0xFF00FF},
  };
  for (const Case& c : cases) {
    BmpLayout layout;
    layout.width = layout.height = 1;
    layout.bit_count = c.bits;
    layout.bit_fields = true;
    for (int i = 0; i < 3; ++i) layout.masks[i] = c.masks[i];
    layout.pixels = {c.raw};
    const TDIB dib = ReadBitmapFile(testing::WriteBmp(layout), "a");
    EXPECT_EQ(dib.BitCount(), 32) << c.name;
    EXPECT_EQ(dib.ReadPixel(0, 0), c.expected) << c.name;
  }
}

std::string Rle8File(int32_t width, int32_t height, const std::string& data) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.bit_count = 8;
  layout.palette = testing::GreyRampPalette(256);
  layout.pixels.assign(static_cast<std::size_t>(width * height), 0);
  std::string file = testing::WriteBmp(layout);
  // Turn the uncompressed file into an RLE8 one with the given data.
  const std::size_t header_end = 14 + 40 + 4 * 256;
  file.resize(header_end);
  file[30] = 1;  // compression
  const auto size = static_cast<uint32_t>(data.size());
  for (int i = 0; i < 4; ++i) file[34 + i] = static_cast<char>(size >> (8 * i));
  return file + data;
}

TEST(BmpCodecTest, RunLengthCodesNeverWriteOutsideThePicture) {
  // Row 0 (the bottom): a run of 6 into a 3-pixel row, then a delta far
  // below and right, another run, an absolute run past the row end.
  const std::string data("\x06\x07"
                         "\x00\x02\x05\x00"
                         "\x02\x09"
                         "\x00\x00"
                         "\x00\x03\x01\x02\x03\x00"
                         "\x00\x02\x00\x40"
                         "\x04\x05"
                         "\x00\x01",
                         24);
  const TDIB dib = ReadBitmapFile(Rle8File(3, 2, data), "rle.bmp");
  EXPECT_EQ(dib.ReadPixel(0, 1), 7u);
  EXPECT_EQ(dib.ReadPixel(2, 1), 7u);
  EXPECT_EQ(dib.ReadPixel(0, 0), 1u);
  EXPECT_EQ(dib.ReadPixel(2, 0), 3u);
}

TEST(BmpCodecTest, RunLengthDataThatEndsEarlyLeavesTheRestZero) {
  const TDIB dib = ReadBitmapFile(Rle8File(4, 2, std::string("\x02\x09\x00", 3)), "rle.bmp");
  EXPECT_EQ(dib.ReadPixel(0, 1), 9u);
  EXPECT_EQ(dib.ReadPixel(2, 1), 0u);
  EXPECT_EQ(dib.ReadPixel(0, 0), 0u);
}

TEST(BmpCodecTest, MalformedFilesAreRefusedWithTheDibMessage) {
  Variant v{"24", 24};
  const std::string good = testing::WriteBmp(LayoutFor(v, 4, 4));
  auto with = [](std::string s, std::size_t at, uint32_t value, int bytes) {
    std::string field;
    for (int i = 0; i < bytes; ++i) field += static_cast<char>(value >> (8 * i));
    return s.replace(at, field.size(), field);
  };
  struct Case { const char* name; std::string bytes; };
  const Case cases[] = {
      {"wrong signature", "XM" + good.substr(2)},
      {"short file header", good.substr(0, 10)},
      {"short information header", good.substr(0, 30)},
      {"unknown header size", with(good, 14, 64, 4)},
      {"unknown compression", with(good, 30, 5, 4)},
      {"RLE8 on a 24-bit picture", with(good, 30, 1, 4)},
      {"bit fields on an 8-bit picture", with(with(good, 28, 8, 2), 30, 3, 4)},
      {"bit count 7", with(good, 28, 7, 2)},
      {"negative width", with(good, 18, static_cast<uint32_t>(-4), 4)},
      {"truncated rows", good.substr(0, good.size() - 1)},
      {"huge picture", with(good, 18, 40000, 4)},
      {"too many pixels", with(with(good, 18, 20000, 4), 22, 20000, 4)},
      {"huge colour count", with(good, 46, 0x7FFFFFFF, 4)},
  };
  for (const Case& c : cases) {
    try {
      ReadBitmapFile(c.bytes, "bad.bmp");
      ADD_FAILURE() << c.name;
    } catch (const LoadError& e) {
      EXPECT_EQ(std::string(e.what()), "bad.bmp: 不正な DIB です") << c.name;
    }
  }
}

TEST(BmpCodecTest, AnEmptyStreamLeavesTheStoreUnchanged) {
  TDIB dib;
  dib.SetSize(2, 3, 8);
  dib.LoadFromStream("", "x.bmp");
  EXPECT_EQ(dib.Width(), 2);
  EXPECT_EQ(dib.Height(), 3);
}

TEST(BmpCodecTest, OurFilesReadBackAsTheSamePicture) {
  for (int bits : {1, 4, 8, 15, 16, 24, 32}) {
    TDIB dib;
    dib.SetSize(11, 5, bits);
    for (int i = 0; i < 256; ++i)
      dib.Palette()[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7, 0};
    const auto pattern = testing::PatternPixels(11, 5, bits == 15 ? 15 : bits);
    for (int32_t y = 0; y < 5; ++y)
      for (int32_t x = 0; x < 11; ++x) dib.WritePixel(x, y, pattern[y * 11 + x]);
    const std::string file = WriteBitmapFile(dib);
    uint32_t stored_size = 0;
    for (int i = 0; i < 4; ++i) stored_size |= uint32_t{static_cast<uint8_t>(file[2 + i])} << (8 * i);
    EXPECT_EQ(file.size(), stored_size) << bits;
    const TDIB back = ReadBitmapFile(file, "ours.bmp");
    EXPECT_EQ(back.EffectiveBitCount(), dib.EffectiveBitCount()) << bits;
    for (int32_t y = 0; y < 5; ++y)
      for (int32_t x = 0; x < 11; ++x) ASSERT_EQ(back.ReadPixel(x, y), dib.ReadPixel(x, y)) << bits;
    for (int i = 0; i < back.PaletteSize(); ++i) EXPECT_EQ(back.Palette()[i], dib.Palette()[i]);
  }
  EXPECT_EQ(WriteBitmapFile(TDIB()), "");
}

}  // namespace
}  // namespace rivo

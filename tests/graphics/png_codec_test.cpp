#include "graphics/png_codec.h"

#include <gtest/gtest.h>
#include <png.h>

#include <vector>

#include "common/error.h"

namespace rivo {
namespace {

// A PNG written straight through libpng with the chunks a test needs.
struct RawPng {
  int width = 2, height = 1, color_type = PNG_COLOR_TYPE_RGB, depth = 8;
  std::vector<uint8_t> rows;  // packed as the file stores them
  std::vector<png_color> palette;
  std::vector<png_byte> trans_alpha;
  bool trans_color = false;
  png_color_16 trans{};
};

void Append(png_structp png, png_bytep data, png_size_t n) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), n);
}

std::string Encode(const RawPng& r) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, Append, nullptr);
  png_set_IHDR(png, info, r.width, r.height, r.depth, r.color_type, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!r.palette.empty())
    png_set_PLTE(png, info, r.palette.data(), static_cast<int>(r.palette.size()));
  if (!r.trans_alpha.empty())
    png_set_tRNS(png, info, r.trans_alpha.data(), static_cast<int>(r.trans_alpha.size()), nullptr);
  if (r.trans_color) png_set_tRNS(png, info, nullptr, 0, &r.trans);
  png_write_info(png, info);
  const std::size_t stride = r.rows.size() / static_cast<std::size_t>(r.height);
  for (int y = 0; y < r.height; ++y)
    png_write_row(png, const_cast<png_bytep>(r.rows.data()) + stride * static_cast<std::size_t>(y));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

TEST(PngCodecTest, ColourPicturesBecomeTwentyFourBitsWithAlphaAsMask) {
  RawPng rgba;
  rgba.color_type = PNG_COLOR_TYPE_RGBA;
  rgba.rows = {0x10, 0x20, 0x30, 0x00, 0xFF, 0x80, 0x00, 0xC0};
  const TPngPicture p = ReadPng(Encode(rgba), "a.png");
  EXPECT_EQ(p.surface.BitCount(), 24);
  EXPECT_EQ(p.surface.ReadPixel(0, 0), 0x102030u);
  EXPECT_EQ(p.surface.ReadPixel(1, 0), 0xFF8000u);
  ASSERT_TRUE(p.surface.HasMask());
  EXPECT_EQ(p.surface.Mask()->ReadPixel(0, 0), 0u);
  EXPECT_EQ(p.surface.Mask()->ReadPixel(1, 0), 0xC0u);
  EXPECT_EQ(p.transparent_value, -1);
}

TEST(PngCodecTest, ATransparentColourBecomesTheTransparentValue) {
  RawPng rgb16;
  rgb16.depth = 16;
  rgb16.rows = {0x12, 0x00, 0x34, 0x00, 0x56, 0x00, 0xAB, 0xCD, 0, 0, 0, 0};
  rgb16.trans_color = true;
  rgb16.trans.red = 0x1200, rgb16.trans.green = 0x3400, rgb16.trans.blue = 0x5600;
  const TPngPicture p = ReadPng(Encode(rgb16), "b.png");
  EXPECT_FALSE(p.surface.HasMask());
  EXPECT_EQ(p.transparent_value, 0x123456);
  EXPECT_EQ(p.surface.ReadPixel(1, 0), 0xAB0000u);

  RawPng grey;
  grey.color_type = PNG_COLOR_TYPE_GRAY;
  grey.depth = 4;
  grey.rows = {0x3F};
  grey.trans_color = true;
  grey.trans.gray = 3;
  const TPngPicture g = ReadPng(Encode(grey), "g.png");
  EXPECT_EQ(g.surface.BitCount(), 8);
  EXPECT_EQ(g.transparent_value, 0x33);
  EXPECT_EQ(g.surface.ReadPixel(0, 0), 0x33u);
  EXPECT_EQ(g.surface.ReadPixel(1, 0), 0xFFu);
  EXPECT_EQ(g.surface.Palette()[0x33].red, 0x33);
}

TEST(PngCodecTest, PaletteTransparencyIsAKeyWhenOneEntryIsClearAndAMaskOtherwise) {
  RawPng key;
  key.color_type = PNG_COLOR_TYPE_PALETTE;
  key.depth = 2;
  key.width = 3;
  key.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  key.trans_alpha = {255, 0};
  key.rows = {0b00011000};
  const TPngPicture k = ReadPng(Encode(key), "k.png");
  EXPECT_EQ(k.surface.BitCount(), 8);
  EXPECT_EQ(k.transparent_value, 1);
  EXPECT_FALSE(k.surface.HasMask());
  EXPECT_EQ(k.surface.ReadPixel(2, 0), 2u);
  EXPECT_EQ(k.surface.Palette()[2].blue, 255);

  RawPng partial = key;
  partial.trans_alpha = {255, 90};
  const TPngPicture m = ReadPng(Encode(partial), "m.png");
  EXPECT_EQ(m.transparent_value, -1);
  ASSERT_TRUE(m.surface.HasMask());
  EXPECT_EQ(m.surface.Mask()->ReadPixel(1, 0), 90u);
  EXPECT_EQ(m.surface.Mask()->ReadPixel(2, 0), 255u);
}

TEST(PngCodecTest, OurPngsReadBackAsTheSamePicture) {
  TDIBSurface colour;
  colour.SetSize(3, 2, 32);
  colour.WritePixel(0, 0, 0x102030);
  colour.WritePixel(2, 1, 0xFFFFFF);
  colour.CreateMask().WritePixel(2, 1, 200);
  const TPngPicture c = ReadPng(WritePng(colour), "c.png");
  EXPECT_EQ(c.surface.ReadPixel(0, 0), 0x102030u);
  EXPECT_EQ(c.surface.ReadPixel(2, 1), 0xFFFFFFu);
  EXPECT_EQ(c.surface.Mask()->ReadPixel(2, 1), 200u);
  EXPECT_EQ(c.surface.Mask()->ReadPixel(0, 0), 0u);

  TDIBSurface indexed;
  indexed.SetSize(2, 2, 4);
  indexed.Palette()[9] = {1, 2, 3, 0};
  indexed.WritePixel(1, 1, 9);
  const TPngPicture i = ReadPng(WritePng(indexed), "i.png");
  EXPECT_EQ(i.surface.BitCount(), 8);
  EXPECT_EQ(i.surface.ReadPixel(1, 1), 9u);
  EXPECT_EQ(i.surface.Palette()[9], (TRgbQuad{1, 2, 3, 0}));
}

TEST(PngCodecTest, DamagedFilesRaiseALoadErrorNamingTheFile) {
  TDIBSurface s;
  s.SetSize(8, 8, 24);
  const std::string good = WritePng(s);
  EXPECT_TRUE(LooksLikePng(good));
  for (const std::string& bad : {good.substr(0, good.size() / 2), std::string("\x89PNG\r\n\x1a\n"),
                                 std::string("not a png")}) {
    try {
      ReadPng(bad, "bad.png");
      ADD_FAILURE();
    } catch (const LoadError& e) {
      EXPECT_EQ(e.file_name(), "bad.png");
    }
  }
}

}  // namespace
}  // namespace rivo

// JPEG planes: colour, grey and CMYK files decode to 24 bits.

#include "graphics/jpeg_codec.h"

#include <gtest/gtest.h>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstdlib>
#include <vector>

#include "common/error.h"

namespace rivo {
namespace {

// An 8 x 8 picture of one sample value per component, written straight
// through libjpeg in the given colour space.
std::string UniformJpeg(J_COLOR_SPACE space, std::vector<uint8_t> sample) {
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = info.image_height = 8;
  info.input_components = static_cast<int>(sample.size());
  info.in_color_space = space;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row;
  for (int x = 0; x < 8; ++x) row.insert(row.end(), sample.begin(), sample.end());
  while (info.next_scanline < 8) {
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&info, &r, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<char*>(out), size);
  std::free(out);
  return bytes;
}

void ExpectNear(uint32_t got, uint32_t want) {
  for (int shift : {0, 8, 16})
    EXPECT_NEAR(static_cast<int>(got >> shift & 0xFF), static_cast<int>(want >> shift & 0xFF), 3)
        << std::hex << got << " " << want;
}

TEST(JpegCodecTest, ColourGreyAndCmykFilesDecodeToTwentyFourBits) {
  const TDIB rgb = ReadJpeg(UniformJpeg(JCS_RGB, {200, 100, 50}), "c.jpg");
  EXPECT_EQ(rgb.BitCount(), 24);
  ExpectNear(rgb.ReadPixel(3, 3), 0xC86432);  // R 200, G 100, B 50
  ExpectNear(ReadJpeg(UniformJpeg(JCS_GRAYSCALE, {90}), "g.jpg").ReadPixel(0, 7), 0x5A5A5A);
  // Inverted CMYK as Adobe stores it: 255 is no ink. Cyan-free, full
  // magenta, half yellow, no black: red, no green, half blue.
  ExpectNear(ReadJpeg(UniformJpeg(JCS_CMYK, {255, 0, 128, 255}), "k.jpg").ReadPixel(7, 0), 0xFF0080);
}

TEST(JpegCodecTest, DamagedFilesRaiseALoadErrorAndOurPicturesReadBack) {
  const std::string good = UniformJpeg(JCS_RGB, {1, 2, 3});
  for (const std::string& bad : {good.substr(0, good.size() / 3), std::string("not a jpeg")})
    EXPECT_THROW(ReadJpeg(bad, "bad.jpg"), LoadError);
  TDIB picture;
  picture.SetSize(16, 8, 24);
  picture.WritePixel(15, 7, 0x808080);
  EXPECT_EQ(ReadJpeg(WriteJpeg(picture, 90), "w.jpg").Width(), 16);
}

}  // namespace
}  // namespace rivo

// Whole picture files, and `rivotool convert` between BMP and PNG.

#include "graphics/picture_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/wait.h>
#include <unistd.h>

#include "common/error.h"
#include "graphics/bmp_codec.h"
#include "graphics/png_codec.h"

namespace rivo {
namespace {

TDIBSurface MaskedPicture() {
  TDIBSurface p;
  p.SetSize(3, 2, 24);
  p.WritePixel(0, 0, 0x102030);
  p.WritePixel(2, 1, 0xA0B0C0);
  TDIBSurface& m = p.CreateMask();
  m.WritePixel(0, 0, 255);
  m.WritePixel(2, 1, 77);
  return p;
}

TEST(PictureFileTest, ThirtyTwoBitBitmapsCarryTheirMaskInTheFourthBytes) {
  const std::string bmp = WritePictureFile(MaskedPicture(), TPictureFormat::kBmp);
  EXPECT_EQ(ReadBitmapFile(bmp, "a.bmp").BitCount(), 32);
  const TDIBSurface back = ReadPictureFile(bmp, "a.bmp");
  ASSERT_TRUE(back.HasMask());
  EXPECT_EQ(back.ReadPixel(2, 1), 0xA0B0C0u);
  EXPECT_EQ(back.Mask()->ReadPixel(2, 1), 77u);
  EXPECT_EQ(back.Mask()->ReadPixel(1, 0), 0u);
}

TEST(PictureFileTest, AllZeroFourthBytesMeanNoMaskRatherThanInvisible) {
  TDIB plain;
  plain.SetSize(2, 2, 32);
  plain.WritePixel(1, 1, 0x445566);
  const TDIBSurface p = ReadPictureFile(WriteBitmapFile(plain), "p.bmp");
  EXPECT_FALSE(p.HasMask());
  const TPngPicture png = ReadPng(WritePictureFile(p, TPictureFormat::kPng), "p.png");
  EXPECT_FALSE(png.surface.HasMask());
  EXPECT_EQ(png.surface.ReadPixel(1, 1), 0x445566u);
}

TEST(PictureFileTest, APngTransparentColourBecomesAMask) {
  TDIBSurface indexed;
  indexed.SetSize(2, 1, 8);
  indexed.WritePixel(1, 0, 3);
  std::string png = WritePng(indexed);
  // Give entry 3 the only fully transparent alpha: a tRNS chunk before IDAT.
  const std::string trns_data("\xFF\xFF\xFF\x00", 4);
  std::string chunk = std::string("\x00\x00\x00\x04", 4) + "tRNS" + trns_data;
  uint32_t crc = 0xFFFFFFFF;
  for (char c : std::string("tRNS") + trns_data) {
    crc ^= static_cast<uint8_t>(c);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
  }
  crc ^= 0xFFFFFFFF;
  for (int i = 3; i >= 0; --i) chunk.push_back(static_cast<char>(crc >> (8 * i)));
  png.insert(png.find("IDAT") - 4, chunk);
  const TDIBSurface p = ReadPictureFile(png, "k.png");
  ASSERT_TRUE(p.HasMask());
  EXPECT_EQ(p.Mask()->ReadPixel(0, 0), 255u);
  EXPECT_EQ(p.Mask()->ReadPixel(1, 0), 0u);
}

TEST(PictureFileTest, UnknownBytesAreRefused) {
  EXPECT_THROW(ReadPictureFile("GIF89a....", "x.gif"), LoadError);
}

std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ConvertCommandTest, BitmapsBecomePngsAndBack) {
  const std::filesystem::path tool = std::filesystem::path(RIVO_BIN_DIR) / "rivotool";
  if (!std::filesystem::exists(tool)) GTEST_SKIP() << "rivotool is not built";
  const auto dir = std::filesystem::temp_directory_path() / ("rivo_convert_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "in.bmp", std::ios::binary)
      << WritePictureFile(MaskedPicture(), TPictureFormat::kBmp);
  auto run = [&](const std::string& args) {
    return std::system((tool.string() + " convert " + args + " 2>/dev/null").c_str());
  };
  ASSERT_EQ(run((dir / "in.bmp").string() + " " + (dir / "out.png").string()), 0);
  const TPngPicture png = ReadPng(ReadAll(dir / "out.png"), "out.png");
  EXPECT_EQ(png.surface.ReadPixel(0, 0), 0x102030u);
  EXPECT_EQ(png.surface.Mask()->ReadPixel(2, 1), 77u);
  ASSERT_EQ(run((dir / "out.png").string() + " " + (dir / "back.BMP").string()), 0);
  const TDIBSurface back = ReadPictureFile(ReadAll(dir / "back.BMP"), "back.bmp");
  EXPECT_EQ(back.ReadPixel(2, 1), 0xA0B0C0u);
  EXPECT_EQ(back.Mask()->ReadPixel(2, 1), 77u);
  EXPECT_NE(run((dir / "out.png").string() + " " + (dir / "x.gif").string()), 0);
  EXPECT_NE(run((dir / "missing.bmp").string() + " " + (dir / "x.png").string()), 0);
  std::filesystem::remove_all(dir);
}

// The tool speaks English; the player's own message follows in brackets.
TEST(ConvertCommandTest, APictureThePlayerRefusesIsExplainedInEnglish) {
  const std::filesystem::path tool = std::filesystem::path(RIVO_BIN_DIR) / "rivotool";
  if (!std::filesystem::exists(tool)) GTEST_SKIP() << "rivotool is not built";
  const auto dir = std::filesystem::temp_directory_path() / ("rivo_convert_err_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::string header_of_64(WritePictureFile(MaskedPicture(), TPictureFormat::kBmp));
  header_of_64[14] = 64;  // an information header size the player does not read
  std::ofstream(dir / "a.bmp", std::ios::binary) << header_of_64;
  const int code = std::system(("cd '" + dir.string() + "' && '" + tool.string() +
                                "' convert a.bmp out.png 2>err.txt").c_str());
  EXPECT_EQ(WEXITSTATUS(code), 2);
  EXPECT_EQ(ReadAll(dir / "err.txt"),
            "rivotool convert: a.bmp: not a bitmap the player can read (不正な DIB です)\n");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace rivo

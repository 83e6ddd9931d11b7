// Bitmaps that no one here wrote: the test pictures of Go's image library
// (Debian's golang-golang-x-image-dev), each ".bmp" beside a ".png" twin of
// the same pixels. They include the 124-byte header that current editors
// write, with a palette and with bit fields.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "graphics/picture_file.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;

const fs::path kTestData = "/usr/share/gocode/src/golang.org/x/image/testdata";

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(BmpRealFilesTest, EveryBitmapReadsAsThePixelsOfItsPngTwin) {
  std::vector<fs::path> bitmaps;
  std::error_code ec;
  for (const auto& item : fs::directory_iterator(kTestData, ec))
    if (item.path().extension() == ".bmp") bitmaps.push_back(item.path());
  if (bitmaps.empty())
    GTEST_SKIP() << "no bitmaps in " << kTestData << ": install golang-golang-x-image-dev (scripts/setup)";
  std::size_t compared = 0;
  for (const fs::path& bmp_path : bitmaps) {
    // "yellow_rose-small-v5.bmp" is the twin of "yellow_rose-small.png".
    std::string stem = bmp_path.stem().string();
    if (stem.ends_with("-v5")) stem.resize(stem.size() - 3);
    const fs::path png_path = kTestData / (stem + ".png");
    if (!fs::exists(png_path)) continue;
    SCOPED_TRACE(bmp_path.filename().string());
    const TDIBSurface bmp = ReadPictureFile(ReadWhole(bmp_path), bmp_path.filename().string());
    const TDIBSurface png = ReadPictureFile(ReadWhole(png_path), png_path.filename().string());
    ASSERT_EQ(bmp.Width(), png.Width());
    ASSERT_EQ(bmp.Height(), png.Height());
    // Colours only: the alpha mask of a long header is not applied, so the
    // v5 file's fourth bytes need not match its opaque twin.
    for (int32_t y = 0; y < bmp.Height(); ++y)
      for (int32_t x = 0; x < bmp.Width(); ++x) {
        const TRgb a = bmp.ValueToColor(bmp.ReadPixel(x, y), false);
        const TRgb b = png.ValueToColor(png.ReadPixel(x, y), false);
        ASSERT_TRUE(a == b) << "pixel " << x << "," << y;
      }
    ++compared;
  }
  EXPECT_GE(compared, 4u) << "expected colormap, video-001, yellow_rose-small and its v5 form";
}

}  // namespace
}  // namespace rivo

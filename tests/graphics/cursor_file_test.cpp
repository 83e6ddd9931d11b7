#include "graphics/cursor_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/error.h"
#include "cursor_fixture.h"
#include "graphics/png_codec.h"

namespace rivo {
namespace {

using namespace testing_cursor;
using ::testing::ElementsAre;

constexpr uint32_t kRed = 0x00FF0000, kGreen = 0x0000FF00, kWhite = 0x00FFFFFF, kBlack = 0;

TEST(CursorFile, ABitmapCursorTakesItsHotSpotAndItsAndMask) {
  // 24 bits: the AND mask decides; a pixel with the mask set and colour
  // inverts the screen on Windows and shows black here.
  std::string cur = Directory(BitmapPicture(2, 2, {kRed, kGreen, kWhite, kBlack}, 24, {false, true, true, true}), 1, 0);
  CursorImage image = ReadCursorFile(cur, "a.cur");
  EXPECT_EQ(image.width, 2);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.hot_x, 1);
  EXPECT_EQ(image.hot_y, 0);
  EXPECT_THAT(image.argb, ElementsAre(0xFFFF0000u, 0xFF000000u, 0xFF000000u, 0u));
}

TEST(CursorFile, AThirtyTwoBitCursorUsesItsAlphaAndMayLackTheMask) {
  std::vector<uint32_t> pixels = {0x80FF0000, 0x00000000, 0xFF00FF00, 0x20FFFFFF};
  for (bool with_mask : {true, false}) {
    std::string cur = Directory(BitmapPicture(2, 2, pixels, 32, {true, true, true, true}, with_mask), 0, 1);
    EXPECT_EQ(ReadCursorFile(cur, "a.cur").argb, pixels) << with_mask;
  }
}

TEST(CursorFile, APngPictureKeepsItsAlpha) {
  TDIBSurface picture;
  picture.SetSize(3, 1, 24);
  picture.WritePixel(0, 0, 0x0000FF);
  picture.WritePixel(1, 0, 0x00FF00);
  picture.WritePixel(2, 0, 0xFF0000);
  picture.CreateMask();
  picture.Mask()->WritePixel(0, 0, 255);
  picture.Mask()->WritePixel(1, 0, 128);
  CursorImage image = ReadCursorFile(Directory(WritePng(picture), 2, 0), "p.cur");
  EXPECT_EQ(image.hot_x, 2);
  EXPECT_THAT(image.argb, ElementsAre(0xFF0000FFu, 0x8000FF00u, 0x00FF0000u));
}

TEST(CursorFile, AnIconPointsWithItsCentre) {
  std::string ico = Directory(BitmapPicture(4, 2, std::vector<uint32_t>(8, kRed), 24, std::vector<bool>(8)), 9, 9, 1);
  CursorImage image = ReadCursorFile(ico, "a.ico");
  EXPECT_EQ(image.hot_x, 2);
  EXPECT_EQ(image.hot_y, 1);
}

TEST(CursorFile, AnAnimatedPointerShowsTheFirstFrameOfItsSequence) {
  std::string red = Directory(BitmapPicture(1, 1, {kRed}, 24, {false}), 0, 0);
  std::string green = Directory(BitmapPicture(1, 1, {kGreen}, 24, {false}), 0, 0);
  EXPECT_THAT(ReadCursorFile(Animated({red, green}, {}), "a.ani").argb, ElementsAre(0xFFFF0000u));
  EXPECT_THAT(ReadCursorFile(Animated({red, green}, {1, 0}), "a.ani").argb, ElementsAre(0xFF00FF00u));
}

TEST(CursorFile, DamagedOrForeignFilesAreLoadErrors) {
  std::string good = Directory(BitmapPicture(2, 2, std::vector<uint32_t>(4, kRed), 24, std::vector<bool>(4)), 0, 0);
  std::string huge = good;
  huge[22 + 4] = static_cast<char>(0x01);  // width 257
  huge[22 + 5] = static_cast<char>(0x01);
  std::string outside = good;
  outside[18] = static_cast<char>(0xFF);  // picture offset far beyond the file
  std::string red = Directory(BitmapPicture(1, 1, {kRed}, 24, {false}), 0, 0);
  const std::string cases[] = {
      "",
      "GIF89a",
      good.substr(0, good.size() - 3),
      huge,
      outside,
      Animated({}, {}),
      Animated({red}, {3}),
      Animated({red}, {}).substr(0, 40),
  };
  for (const std::string& bytes : cases) EXPECT_THROW(ReadCursorFile(bytes, "bad.cur"), LoadError) << bytes.size();
}

}  // namespace
}  // namespace rivo

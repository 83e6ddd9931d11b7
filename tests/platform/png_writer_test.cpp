// Frames written as PNG.

#include "platform/png_writer.h"

#include <gtest/gtest.h>

#include "platform/platform_error.h"
#include "platform/private_temp_folder.h"
#include "read_png.h"

namespace rivo {
namespace {

TEST(PngWriter, WritesEveryPixelInItsColour) {
  PrivateTempFolder temp;
  FrameBuffer frame(3, 2);
  frame.At(0, 0) = 0x00FF0000;  // red
  frame.At(1, 0) = 0x0000FF00;  // green
  frame.At(2, 0) = 0x000000FF;  // blue
  frame.At(0, 1) = 0x00123456;
  frame.At(2, 1) = 0x00FFFFFF;
  WritePng(frame, temp.Path() / "f.png");
  FrameBuffer back = testing_png::ReadPng(temp.Path() / "f.png");
  EXPECT_EQ(back.width, 3);
  EXPECT_EQ(back.height, 2);
  EXPECT_EQ(back.pixels, frame.pixels);
}

TEST(PngWriter, ReportsAFileItCannotWriteAndAnEmptyFrame) {
  PrivateTempFolder temp;
  EXPECT_THROW(WritePng(FrameBuffer(2, 2), temp.Path() / "missing" / "f.png"), PlatformError);
  EXPECT_THROW(WritePng(FrameBuffer(), temp.Path() / "f.png"), PlatformError);
}

}  // namespace
}  // namespace rivo

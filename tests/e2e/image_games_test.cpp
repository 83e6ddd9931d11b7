// Whole-player runs of the image controls. The pictures are made at test
// time: single pictures as PNG files that rivotool convert turns into
// layered images, animations by our layered image writer.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "e2e/game_runner.h"
#include "graphics/orba_frame_list.h"
#include "graphics/png_codec.h"
#include "platform/read_png.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

using PixelFn = std::function<uint32_t(int32_t x, int32_t y)>;
using MaskFn = std::function<uint8_t(int32_t x, int32_t y)>;

void Paint(TDIBSurface& surface, int32_t width, int32_t height, const PixelFn& pixel, const MaskFn& mask) {
  surface.SetSize(width, height, 24);
  if (mask) surface.CreateMask();
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      surface.WritePixel(x, y, pixel(x, y));
      if (mask) surface.Mask()->WritePixel(x, y, mask(x, y));
    }
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

// A PNG of our writer, turned into name.orb by rivotool convert.
void ConvertedPicture(const fs::path& dir, const std::string& name, int32_t width, int32_t height,
                      const PixelFn& pixel, const MaskFn& mask = {}) {
  TDIBSurface surface;
  Paint(surface, width, height, pixel, mask);
  const fs::path png = dir / (name + ".png");
  WriteBytes(png, WritePng(surface));
  std::string out;
  ASSERT_EQ(Execute(std::string(RIVO_BIN_DIR) + "/rivotool convert '" + png.string() + "' '" +
                        (dir / (name + ".orb")).string() + "' 2>&1",
                    &out),
            0)
      << out;
  fs::remove(png);
}

// A layered image with one frame per colour, each shown for delay ms.
void Animation(const fs::path& dir, const std::string& name, const std::vector<uint32_t>& colours, int32_t delay) {
  TOrbaFrameList list;
  for (uint32_t colour : colours) {
    TOrbaFrame& frame = list.AddFrame();
    Paint(frame.surface, 8, 8, [colour](int32_t, int32_t) { return colour; }, {});
    frame.delay = delay;
  }
  WriteBytes(dir / (name + ".orb"), list.SaveToStream());
}

// The game's sources with their pictures, built into scratch/game.
fs::path BuildWithPictures(const std::string& game, const fs::path& scratch,
                           const std::function<void(const fs::path&)>& pictures) {
  const fs::path source = scratch / "source";
  fs::copy(fs::path(RIVO_SOURCE_DIR) / "tests/e2e/games" / game, source, fs::copy_options::recursive);
  pictures(source);
  return BuildSources(source, scratch / "game");
}

std::string Script(const fs::path& scratch, const std::string& lines) {
  fs::path file = scratch / "input.txt";
  std::ofstream(file) << lines;
  return "--input '" + file.string() + "'";
}

std::string Shot(const fs::path& scratch, int tick) {
  return " --screenshot-at " + std::to_string(tick) + ":'" + (scratch / ("s" + std::to_string(tick) + ".png")).string() +
         "'";
}

FrameBuffer ReadShot(const fs::path& scratch, int tick) {
  return testing_png::ReadPng(scratch / ("s" + std::to_string(tick) + ".png"));
}

void ImagePictures(const fs::path& dir) {
  ConvertedPicture(dir, "red", 8, 8, [](int32_t, int32_t) { return 0xFF0000u; });
  ConvertedPicture(dir, "half", 8, 4, [](int32_t x, int32_t) { return x < 4 ? 0xFF0000u : 0x0000FFu; });
  ConvertedPicture(dir, "masked", 8, 8, [](int32_t, int32_t) { return 0xFFFFFFu; },
                   [](int32_t x, int32_t) { return static_cast<uint8_t>(x < 4 ? 255 : 0); });
  Animation(dir, "anim", {0xFF0000, 0x00FF00}, 100);
}

TEST(ImageGames, OpacityStretchZoomAnimationEndsAndTheCaptureMask) {
  Scratch s;
  fs::path game = BuildWithPictures("images", s.Path(), ImagePictures);
  // Clicks on the capture-mask image: opaque, clear; after it turned a
  // quarter and stretched to 16 wide (tick ~25), again opaque and clear.
  const std::string input = Script(s.Path(), "2 move 101 22\n3 down left 101 22\n4 up left 101 22\n"
                                             "5 move 106 22\n6 down left 106 22\n7 up left 106 22\n"
                                             "29 move 97 22\n30 down left 97 22\n31 up left 97 22\n"
                                             "32 move 97 32\n33 down left 97 32\n34 up left 97 32\n");
  std::string shots;
  for (int tick = 1; tick <= 14; ++tick) shots += Shot(s.Path(), tick);
  PlayResult run = Play(game, "--tick-ms 45 --ticks 36 " + input + shots, s.Path());
  ASSERT_EQ(run.exit_code, 0) << run.err;

  const FrameBuffer first = ReadShot(s.Path(), 2);
  ASSERT_EQ(first.width, 160);
  EXPECT_EQ(first.At(3, 3), 0x002B0000u);   // red added with 300: 255 * 44 / 256
  EXPECT_EQ(first.At(13, 3), 0x00FF0000u);  // copied
  EXPECT_EQ(first.At(23, 3), 0u);           // alpha 0: nothing
  // PR_WIDTH twice the picture's: stretched, and PR_ZOOMX reads 0; later
  // zooms of 0 and -5 read 1.
  EXPECT_EQ(first.At(7, 21), 0x00FF0000u);
  EXPECT_EQ(first.At(8, 21), 0x000000FFu);
  EXPECT_EQ(first.At(15, 23), 0x000000FFu);
  EXPECT_EQ(first.At(16, 21), 0u);
  EXPECT_TRUE(run.HasVar("zoomwide", "integer", "0")) << run.vars;
  EXPECT_TRUE(run.HasVar("widthwide", "integer", "16")) << run.vars;
  EXPECT_TRUE(run.HasVar("zoomzero", "integer", "1")) << run.vars;
  EXPECT_TRUE(run.HasVar("zoomneg", "integer", "1")) << run.vars;

  // The repeating animation: each frame for three 45 ms ticks (135 ms, the
  // overshoot dropped), the same rhythm at the end as at the start (the
  // creating tick's update already counts for the first frame).
  std::string frames;
  for (int tick = 1; tick <= 14; ++tick) {
    const uint32_t pixel = ReadShot(s.Path(), tick).At(43, 3);
    frames += pixel == 0x00FF0000u ? 'R' : pixel == 0x0000FF00u ? 'G' : '?';
  }
  EXPECT_EQ(frames, "RRGGGRRRGGGRRR");

  // Without repeat: the last frame waits its delay plus LastFrameWait (200)
  // and then raises PR_ONPLAYEND once; with PR_AUTOSCRAP the image is gone.
  EXPECT_NE(run.vars.find("\"log\""), std::string::npos);
  EXPECT_NE(run.vars.find("end:once;"), std::string::npos) << run.vars;
  EXPECT_EQ(run.vars.find("end:once;end:"), std::string::npos) << run.vars;
  EXPECT_TRUE(run.HasVar("scrapexists", "flag", "false")) << run.vars;
  EXPECT_TRUE(run.HasVar("madeat", "integer", "45")) << run.vars;
  // Frame 0 for 100 ms, frame 1 for 100 + 200 ms: 400 ms after creation,
  // seen at the next whole tick (405 ms), reported in the tick after.
  EXPECT_TRUE(run.HasVar("endat", "integer", "495")) << run.vars;

  // The capture mask: opaque pixels only, plain and turned and stretched
  // (a press in input tick n runs its page with @UpdateCount n - 1).
  EXPECT_NE(run.vars.find("\"hit2;end:once;hit29;\""), std::string::npos) << run.vars;
}

}  // namespace
}  // namespace rivo::e2e

// Whole-player runs of text labels made with Caption: their lines, size
// and zoom as the scenario reads them, the screen composing them (centred
// lines, opacity 255 and 128) with the fixed test rasteriser for exact
// pixels and once with the installed fonts, and the turned label's hit test.

#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e/game_runner.h"
#include "platform/read_png.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

// The first column in [left, right) x [top, bottom) that is not black, or -1.
int32_t FirstLitColumn(const FrameBuffer& f, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  for (int32_t x = left; x < right; ++x)
    for (int32_t y = top; y < bottom; ++y)
      if ((f.At(x, y) & 0xFFFFFF) != 0) return x;
  return -1;
}

struct CaptionRun {
  PlayResult run;
  FrameBuffer frame;
};

CaptionRun PlayCaptions(const Scratch& s, const std::string& fonts) {
  fs::path game = BuildGame("captions", s.Path() / "game");
  fs::path shot = s.Path() / "captions.png";
  // The turned label (200, 100; 80 x 20 turned an eighth of a turn) is
  // pressed where its unturned far end was, halfway along its turned text,
  // and inside its bounding box beside the text.
  CaptionRun r;
  r.run = Play(game,
               "--ticks 12 " + fonts + " --save-dir '" + (s.Path() / "save").string() + "' --screenshot-at 3:'" +
                   shot.string() + "' " +
                   InputScript(s.Path(), "5 down left 270 105\n6 up left 270 105\n7 down left 228 128\n"
                                    "8 up left 228 128\n9 down left 190 160\n10 up left 190 160\n"),
               s.Path());
  r.frame = testing_png::ReadPng(shot);
  return r;
}

TEST(CaptionGames, LinesSizeZoomAndTheTurnedHitTestAsTheScenarioSeesThem) {
  Scratch s;
  CaptionRun r = PlayCaptions(s, "--test-fonts");
  ASSERT_EQ(r.run.exit_code, 0) << r.run.err;
  // The final line break leaves no empty line and does not read back.
  EXPECT_TRUE(r.run.HasVar("text", "string", "\"AB\\r\\nABCD\"")) << r.run.vars;
  EXPECT_TRUE(r.run.HasVar("height", "integer", "48")) << "(20 + 4) x 2 lines\n" << r.run.vars;
  EXPECT_TRUE(r.run.HasVar("width", "integer", "40")) << r.run.vars;
  EXPECT_TRUE(r.run.HasVar("zoom", "integer", "1")) << r.run.vars;
  EXPECT_TRUE(r.run.HasVar("hits", "string", "\"228,128;\"")) << r.run.vars;
}

TEST(CaptionGames, TheScreenComposesCentredLinesOpaqueAndAtHalfOpacity) {
  Scratch s;
  CaptionRun r = PlayCaptions(s, "--test-fonts");
  ASSERT_EQ(r.run.exit_code, 0) << r.run.err;
  const FrameBuffer& f = r.frame;
  ASSERT_EQ(f.width, 320);
  // Half-width characters of a 20-pixel font advance 10; "A" starts one
  // pixel right of its pen. The short line is centred 10 pixels in.
  EXPECT_EQ(FirstLitColumn(f, 0, 10, 320, 30), 21);
  EXPECT_EQ(FirstLitColumn(f, 0, 34, 320, 54), 11);
  // Nothing outside the labels' rectangles.
  EXPECT_EQ(FirstLitColumn(f, 0, 0, 320, 10), -1);
  EXPECT_EQ(FirstLitColumn(f, 50, 0, 180, 240), -1);  // the turned label's box starts further right

  // "Full" (10, 70) and "Half" (10, 100) hold the same white text.
  int white = 0, lit = 0;
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 40; ++x) {
      const uint32_t full = f.At(10 + x, 70 + y) & 0xFFFFFF, half = f.At(10 + x, 100 + y) & 0xFFFFFF;
      white += full == 0xFFFFFF;
      lit += full != 0;
      for (int shift : {0, 8, 16}) {
        EXPECT_EQ(Channel(full, shift), Channel(full, 0)) << "white text stays grey";
        const int twice = 2 * static_cast<int>(Channel(half, shift));
        EXPECT_NEAR(twice, static_cast<int>(Channel(full, shift)), 4) << x << "," << y;
      }
    }
  EXPECT_GT(white, 20) << "covered pixels show the colour itself";
  EXPECT_EQ(lit, white) << "without antialiasing a pixel is covered or not";
}

TEST(CaptionGames, TheInstalledFontsDrawTheSameLabelsInsideTheirBounds) {
  Scratch s;
  CaptionRun r = PlayCaptions(s, "");
  ASSERT_EQ(r.run.exit_code, 0) << r.run.err;
  // The line height comes from the font height, whatever the font.
  EXPECT_TRUE(r.run.HasVar("height", "integer", "48")) << r.run.vars;
  EXPECT_TRUE(r.run.HasVar("text", "string", "\"AB\\r\\nABCD\"")) << r.run.vars;
  const std::string marker = "\"width\": {\"kind\": \"integer\", \"value\": ";
  const std::size_t at = r.run.vars.find(marker);
  ASSERT_NE(at, std::string::npos) << r.run.vars;
  const int width = std::atoi(r.run.vars.c_str() + at + marker.size());
  ASSERT_GT(width, 10);
  ASSERT_LT(width, 100);
  const FrameBuffer& f = r.frame;
  EXPECT_GE(FirstLitColumn(f, 0, 10, 320, 58), 10);
  EXPECT_EQ(FirstLitColumn(f, 10 + width, 0, 180, 240), -1);
  EXPECT_NE(FirstLitColumn(f, 10, 70, 10 + width, 90), -1) << "the opaque label shows";
}

}  // namespace
}  // namespace rivo::e2e

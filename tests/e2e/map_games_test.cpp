// Whole-player runs of a map image: pictures made at test time with
// rivotool convert, a map file with overlapping areas, and scripted mouse
// and keys.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "e2e/game_runner.h"
#include "graphics/dibx.h"
#include "objects/map_file_fixture.h"
#include "platform/read_png.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kBlue = 0x0000FF, kRed = 0xFF0000;

std::string Script(const fs::path& scratch, const std::string& lines) {
  fs::path file = scratch / "input.txt";
  std::ofstream(file) << lines;
  return "--input '" + file.string() + "'";
}

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A one-colour picture of 100 x 80, written as a bitmap and converted.
void MakePicture(const fs::path& orb, uint32_t colour) {
  TDIBX surface;
  surface.SetSize(100, 80, 32);
  surface.Clear(colour);
  const fs::path bmp = fs::path(orb).replace_extension(".bmp");
  std::ofstream(bmp, std::ios::binary) << surface.SaveToBitmap();
  std::string out;
  ASSERT_EQ(Execute(std::string(RIVO_BIN_DIR) + "/rivotool convert '" + bmp.string() + "' '" + orb.string() + "' 2>&1",
                    &out),
            0)
      << out;
  fs::remove(bmp);
}

// The maps game with its pictures and areas: "first" and "second" overlap
// in (30..49, 30..49) of the map, which stands at (20, 20).
fs::path MapsGame(const Scratch& s) {
  fs::path game = BuildGame("maps", s.Path() / "game");
  MakePicture(game / "map.orb", kBlue);
  MakePicture(game / "hover.orb", kRed);
  std::ofstream(game / "areas.map", std::ios::binary) << test::MapFileWriter()
                                                              .Rectangle("first", 10, 10, 49, 49)
                                                              .Rectangle("second", 30, 30, 69, 69)
                                                              .Ellipse("round", 0, 60, 19, 79)
                                                              .Bytes();
  return game;
}

TEST(MapGames, OverlappingAreasReportTheFirstInFileOrderAndOnlyItShowsTheHoverPicture) {
  Scratch s;
  const fs::path game = MapsGame(s);
  const fs::path shot = s.Path() / "hover.png";
  PlayResult run = Play(game,
                        "--ticks 8 --screenshot-at 4:'" + shot.string() + "' " +
                            Script(s.Path(), "3 move 60 60\n5 down left 60 60\n6 up left 60 60\n"),
                        s.Path());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(run.HasVar("log", "string", "\"in:first,0;sel:first,0/first,0;\"")) << run.vars;
  FrameBuffer f = testing_png::ReadPng(shot);
  EXPECT_EQ(f.At(60, 60), kRed);   // the overlap, in the current area
  EXPECT_EQ(f.At(55, 35), kRed);   // the first area alone
  EXPECT_EQ(f.At(80, 80), kBlue);  // the second area is not current
  EXPECT_EQ(f.At(95, 30), kBlue);  // outside every area
  EXPECT_EQ(f.At(10, 10), 0u);     // outside the map
}

TEST(MapGames, ARightClickCancelsWithIndexMinusOneAndTheMapIsGoneTwoTicksLater) {
  Scratch s;
  const fs::path game = MapsGame(s);
  const std::string input = Script(s.Path(), "3 move 60 60\n5 down right 60 60\n6 up right 60 60\n");
  for (int ticks : {5, 6}) {
    const fs::path objects = s.Path() / ("objects" + std::to_string(ticks) + ".json");
    // Each run starts from fresh variables: a save folder of its own.
    const fs::path saves = s.Path() / ("saves" + std::to_string(ticks));
    fs::create_directories(saves);
    PlayResult run = Play(game,
                          "--ticks " + std::to_string(ticks) + " --save-dir '" + saves.string() + "' --dump-objects '" +
                              objects.string() + "' " + input,
                          s.Path());
    ASSERT_EQ(run.exit_code, 0) << run.err;
    const bool present = ReadFile(objects).find("\"Map\"") != std::string::npos;
    // The update of the click's tick marks it closed, the next one frees it.
    EXPECT_EQ(present, ticks == 5) << ticks;
    if (ticks == 6) {
      EXPECT_TRUE(run.HasVar("sel", "integer", "-1")) << run.vars;
      EXPECT_TRUE(run.HasVar("log", "string", "\"in:first,0;\"")) << run.vars;  // nothing selected
    }
  }
}

TEST(MapGames, ArrowKeysCycleThroughTheAreasAndEnterSelects) {
  Scratch s;
  const fs::path game = MapsGame(s);
  std::string keys;
  int tick = 3;
  for (const char* key : {"down", "down", "down", "down", "up", "return"}) {
    keys += std::to_string(tick) + " key down " + key + "\n" + std::to_string(tick + 1) + " key up " + key + "\n";
    tick += 2;
  }
  PlayResult run = Play(game, "--ticks 18 " + Script(s.Path(), keys), s.Path());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(run.HasVar("log", "string",
                         "\"in:first,0;in:second,1;in:round,2;in:first,0;in:round,2;sel:round,2/round,2;\""))
      << run.vars;
  EXPECT_TRUE(run.HasVar("sel", "integer", "2")) << run.vars;
}


TEST(MapGames, HoveringGivesTheSameFramesWithOrWithoutRedrawingEverything) {
  Scratch s;
  const fs::path game = MapsGame(s);
  const std::string input =
      Script(s.Path(), "3 move 60 60\n5 move 85 85\n7 move 30 90\n9 move 200 200\n11 move 40 40\n");
  const int ticks[] = {4, 6, 8, 10, 12};
  std::vector<std::string> frames[2];
  for (int all = 0; all < 2; ++all) {
    std::string shots;
    for (int tick : ticks)
      shots += " --screenshot-at " + std::to_string(tick) + ":'" +
               (s.Path() / ("f" + std::to_string(all) + "_" + std::to_string(tick) + ".png")).string() + "'";
    PlayResult run = Play(game, "--ticks 13 " + input + shots + (all ? " --invalidate-all" : ""), s.Path());
    ASSERT_EQ(run.exit_code, 0) << run.err;
    for (int tick : ticks)
      frames[all].push_back(ReadFile(s.Path() / ("f" + std::to_string(all) + "_" + std::to_string(tick) + ".png")));
  }
  for (std::size_t i = 0; i < frames[0].size(); ++i) {
    EXPECT_FALSE(frames[0][i].empty()) << i;
    EXPECT_TRUE(frames[0][i] == frames[1][i]) << "frame " << i << " differs";
  }
  EXPECT_NE(frames[0][0], frames[0][1]);  // the hover did move
}

}  // namespace
}  // namespace rivo::e2e

// rivotool wipe: one frame or a sequence of a transition between two
// picture files, the same frames the screen shows.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "graphics/orba_frame_list.h"
#include "graphics/picture_file.h"
#include "script/tool_runner.h"
#include "surface_fixture.h"
#include "wipe_fixture.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;
using testing::RunRivotool;
using testing::WipeStage;

class RivotoolWipe : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("rivotool_wipe_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    WipeStage stage(48, 32);
    Write("old.png", WritePictureFile(stage.old_picture->Store(), TPictureFormat::kPng));
    Write("new.png", WritePictureFile(stage.new_picture->Store(), TPictureFormat::kPng));
    Write("mask.bmp", WritePictureFile(testing::MaskPicture(), TPictureFormat::kBmp));
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string Path(const std::string& name) const { return "'" + (dir_ / name).string() + "'"; }
  // The pixels of a PNG the tool wrote.
  std::vector<uint32_t> Frame(const fs::path& path) const {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    TDIBX s;
    s.SetSize(1, 1, 32);
    s.CopyFromPicture(ReadPictureFile(bytes, path.string()));
    return testing::PixelsOf(s);
  }
  std::string Pictures() const { return Path("old.png") + " " + Path("new.png"); }

  fs::path dir_;
};

TEST_F(RivotoolWipe, WritesTheFrameTheScreenShows) {
  const auto run =
      RunRivotool("wipe 19 " + Pictures() + " " + Path("out.png") +
                  " --t 300 --duration 900 --reverse --p0 3 --mask " + Path("mask.bmp"));
  ASSERT_EQ(run.code, 0);
  WipeStage stage(48, 32);
  stage.masks.pictures[(dir_ / "mask.bmp").string()] = testing::MaskPicture();
  TWipeRequest r;
  r.code = 19;
  r.duration = 900;
  r.reverse = true;
  r.p0 = 3;
  r.mask_name = (dir_ / "mask.bmp").string();
  stage.Start(r, 0);
  stage.FrameAt(300);
  EXPECT_EQ(Frame(dir_ / "out.png"), testing::PixelsOf(stage.screen));
}

TEST_F(RivotoolWipe, TakesALayeredMaskPictureScrambledWithTheGamesKey) {
  TOrbaFrameList orb(4321);
  orb.AddFrame().surface = testing::MaskPicture();
  Write("mask.orb", orb.SaveToStream());
  const std::string common = "wipe 20 " + Pictures() + " --t 400 --duration 1000 --mask ";
  ASSERT_EQ(RunRivotool(common + Path("mask.bmp") + " " + Path("bmp.png")).code, 0);
  ASSERT_EQ(RunRivotool(common + Path("mask.orb") + " --key 4321 " + Path("orb.png")).code, 0);
  EXPECT_EQ(Frame(dir_ / "orb.png"), Frame(dir_ / "bmp.png"));
  // Read with another key, the rows come out in another order.
  ASSERT_EQ(RunRivotool(common + Path("mask.orb") + " --key 1 " + Path("bad.png")).code, 0);
  EXPECT_NE(Frame(dir_ / "bad.png"), Frame(dir_ / "bmp.png"));
}

TEST_F(RivotoolWipe, WritesASequenceOfFrames) {
  ASSERT_EQ(
      RunRivotool("wipe 12 " + Pictures() + " --frames 4 " + Path("seq") + " --duration 1000").code,
      0);
  ASSERT_TRUE(fs::exists(dir_ / "seq" / "frame0003.png"));
  EXPECT_FALSE(fs::exists(dir_ / "seq" / "frame0004.png"));
  // Frame 2 is t = 500: white all over.
  EXPECT_EQ(Frame(dir_ / "seq" / "frame0002.png"), std::vector<uint32_t>(48 * 32, 0xFFFFFF));
}

TEST_F(RivotoolWipe, RefusesWhatItCannotDo) {
  struct Case {
    std::string args;
    int code;
  };
  for (const Case& c :
       {Case{"wipe 1 " + Pictures() + " " + Path("o.png") + " --duration 100", 1},
        Case{"wipe x " + Pictures() + " " + Path("o.png") + " --t 1 --duration 100", 1},
        Case{"wipe 1 " + Pictures() + " " + Path("o.png") + " --t 1 --duration 100 --bogus", 1},
        Case{"wipe 39 " + Pictures() + " " + Path("o.png") + " --t 1 --duration 100", 2},
        Case{"wipe -1 " + Pictures() + " " + Path("o.png") + " --t 1 --duration 100", 2},
        Case{"wipe 19 " + Pictures() + " " + Path("o.png") + " --t 1 --duration 100 --mask " +
                 Path("none.orb"),
             2},
        Case{"wipe 1 " + Path("old.png") + " " + Path("mask.bmp") + " " + Path("o.png") +
                 " --t 1 --duration 100",
             2}})
    EXPECT_EQ(RunRivotool(c.args).code, c.code) << c.args;
}

}  // namespace
}  // namespace rivo

// rivotool convert and imginfo on layered images: round trips through
// ".orb" for every picture kind, compression and key, frames, and options
// before or after the file names.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "graphics/orba_frame_list.h"
#include "graphics/picture_file.h"
#include "script/tool_runner.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;

class RivotoolPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(testing::RivotoolPath())) GTEST_SKIP() << "rivotool is not built";
    dir_ = fs::temp_directory_path() / ("rivo_pictures_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }
  std::string Path(const std::string& name) const { return "'" + (dir_ / name).string() + "'"; }
  std::string Read(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  int Run(const std::string& args) const { return testing::RunRivotool(args).code; }

  fs::path dir_;
};

// Colour (R, G, B) and mask of every pixel, whatever the bit count.
std::vector<uint32_t> Look(const TDIBSurface& p) {
  std::vector<uint32_t> out;
  for (int32_t y = 0; y < p.Height(); ++y)
    for (int32_t x = 0; x < p.Width(); ++x) {
      const TRgb c = p.ValueToColor(p.ReadPixel(x, y), true);
      out.push_back(static_cast<uint32_t>(c.red << 16 | c.green << 8 | c.blue));
      out.push_back(p.HasMask() ? p.Mask()->ReadPixel(x, y) : 255);
    }
  return out;
}

// Busy pictures for the lossless round trips, smooth ones for JPEG.
TDIBSurface Pattern(int32_t bits, bool mask, bool smooth = false) {
  TDIBSurface p;
  p.SetSize(9, 5, bits);
  for (int32_t i = 0; i < 256; ++i) p.Palette()[static_cast<std::size_t>(i)] = {static_cast<uint8_t>(i), 7, static_cast<uint8_t>(255 - i), 0};
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 9; ++x)
      p.WritePixel(x, y, smooth ? (bits == 8    ? static_cast<uint32_t>(x * 8 + y * 4)
                                   : bits == 16 ? static_cast<uint32_t>((y * 4) << 11 | (x * 4) << 5 | 10)
                                                : static_cast<uint32_t>(x * 12 | (y * 24) << 8 | 0x600000))
                                : static_cast<uint32_t>(x * 0x1F3D + y * 0x2B0719) & 0xFFFFFF);
  if (mask)
    for (int32_t x = 0; x < 9; ++x) p.CreateMask().WritePixel(x, 2, static_cast<uint32_t>(x * 30));
  return p;
}

// Each picture kind with another compression and key (the writer's own
// tests cover every combination); options before the names once, after
// them the other time.
TEST_F(RivotoolPictureTest, PicturesRoundTripThroughLayeredImages) {
  struct Input {
    const char* name;
    int32_t bits;
    bool mask;
    TPictureFormat format;
    const char* compression;
    const char* key;
  } inputs[] = {{"palette.png", 8, false, TPictureFormat::kPng, "0", "0"},
                {"rgb565.bmp", 16, false, TPictureFormat::kBmp, "1", "12345"},
                {"rgba.png", 24, true, TPictureFormat::kPng, "0", "12345"},
                {"bgra.bmp", 32, true, TPictureFormat::kBmp, "1", "0"}};
  for (const Input& in : inputs) {
    SCOPED_TRACE(in.name);
    Write(in.name, WritePictureFile(Pattern(in.bits, in.mask), in.format));
    const std::vector<uint32_t> want = Look(ReadPictureFile(Read(in.name), in.name));
    ASSERT_EQ(Run("convert --key " + std::string(in.key) + " --compression " + in.compression + " " +
                  Path(in.name) + " " + Path("a.orb")), 0);
    ASSERT_EQ(Run("convert " + Path("a.orb") + " " + Path("b.png") + " --key " + in.key), 0);
    EXPECT_EQ(Look(ReadPictureFile(Read("b.png"), "b.png")), want);
    if (std::string(in.key) != "0") {
      ASSERT_EQ(Run("convert " + Path("a.orb") + " " + Path("c.png")), 0);
      EXPECT_NE(Look(ReadPictureFile(Read("c.png"), "c.png")), want);
    }
  }
}

// JPEG colour comes back close, masks exactly.
TEST_F(RivotoolPictureTest, JpegPlanesKeepMasksExact) {
  for (int32_t bits : {8, 24}) {
    Write("smooth.png", WritePictureFile(Pattern(bits, bits == 24, true), TPictureFormat::kPng));
    const std::vector<uint32_t> want = Look(ReadPictureFile(Read("smooth.png"), "smooth.png"));
    ASSERT_EQ(Run("convert " + Path("smooth.png") + " " + Path("j.orb") + " --compression 2 --quality 90"), 0);
    ASSERT_EQ(Run("convert " + Path("j.orb") + " " + Path("j.png")), 0);
    const std::vector<uint32_t> got = Look(ReadPictureFile(Read("j.png"), "j.png"));
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); i += 2) {
      EXPECT_EQ(got[i + 1], want[i + 1]) << bits << " mask " << i / 2;
      for (int shift : {0, 8, 16})
        EXPECT_NEAR(static_cast<int>(got[i] >> shift & 0xFF), static_cast<int>(want[i] >> shift & 0xFF), 32)
            << bits << " pixel " << i / 2;
    }
  }
}

TEST_F(RivotoolPictureTest, FramesAreChosenOneByOneOrAllTogether) {
  TOrbaFrameList list;
  for (uint32_t i = 0; i < 3; ++i) {
    TOrbaFrame& f = list.AddFrame();
    f.surface.SetSize(2, 2, 24);
    f.surface.WritePixel(0, 0, 0x111111 * (i + 1));
    f.delay = 10 * static_cast<int32_t>(i);
  }
  list.Frames(2).SetTransparentValue(0);
  list.Frames(1).first_rects = {{1, 2, 3, 4}};
  Write("anim.orb", list.SaveToStream());
  ASSERT_EQ(Run("convert " + Path("anim.orb") + " " + Path("one.bmp") + " --frame 1"), 0);
  EXPECT_EQ(ReadPictureFile(Read("one.bmp"), "one.bmp").ReadPixel(0, 0), 0x222222u);
  EXPECT_NE(Run("convert " + Path("anim.orb") + " " + Path("one.bmp") + " --frame 3"), 0);
  ASSERT_EQ(Run("convert --all-frames " + Path("anim.orb") + " " + Path("all.png")), 0);
  for (uint32_t i = 0; i < 3; ++i) {
    const std::string name = "all-" + std::to_string(i) + ".png";
    const TDIBSurface p = ReadPictureFile(Read(name), name);
    EXPECT_EQ(p.ReadPixel(0, 0), 0x111111 * (i + 1)) << name;
    // Frame 2's transparent colour (0) became a mask.
    EXPECT_EQ(p.HasMask() && p.Mask()->ReadPixel(1, 1) == 0, i == 2) << name;
  }

  const testing::ToolOutput info = testing::RunRivotool("imginfo --json " + Path("anim.orb"));
  ASSERT_EQ(info.code, 0);
  EXPECT_NE(info.out.find("\"version\": 106"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("\"name\": \"Frame2\""), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("\"delay\": 20"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("\"first_rects\": [[1, 2, 3, 4]]"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("\"layers\": [{\"name\": \"Layer\", \"visible\": true, \"opacity\": 255"), std::string::npos)
      << info.out;
  const testing::ToolOutput text = testing::RunRivotool("imginfo " + Path("anim.orb"));
  EXPECT_NE(text.out.find("frame 2 \"Frame3\": 2 x 2 x 24, transparent 0 (0x000000), delay 20"), std::string::npos)
      << text.out;

  EXPECT_EQ(Run("convert " + Path("anim.orb") + " " + Path("x.gif")), 1);
  EXPECT_EQ(Run("convert " + Path("anim.orb") + " " + Path("x.png") + " --bogus"), 1);
  EXPECT_EQ(Run("convert " + Path("anim.orb") + " " + Path("x.png") + " --compression 3"), 1);
  EXPECT_EQ(Run("convert " + Path("missing.orb") + " " + Path("x.png")), 2);
  Write("cut.orb", Read("anim.orb").substr(0, 100));
  EXPECT_EQ(Run("imginfo " + Path("cut.orb")), 2);
}

TEST_F(RivotoolPictureTest, SeveralPicturesJoinIntoTheFramesOfOneAnimation) {
  for (uint32_t i = 0; i < 3; ++i) {
    TDIBSurface p;
    p.SetSize(2, 2, 24);
    p.WritePixel(0, 0, 0x101010 * (i + 1));
    Write("p" + std::to_string(i) + ".bmp", WritePictureFile(p, TPictureFormat::kBmp));
  }
  ASSERT_EQ(Run("convert " + Path("p0.bmp") + " " + Path("p1.bmp") + " " + Path("p2.bmp") + " " + Path("j.orb") +
                " --delay 40 --key 77"),
            0);
  TOrbaFrameList joined(77);
  joined.LoadFromStream(Read("j.orb"), "j.orb");
  ASSERT_EQ(joined.Count(), 3);
  for (int32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(joined.Frames(i).surface.ReadPixel(0, 0), 0x101010u * static_cast<uint32_t>(i + 1)) << i;
    EXPECT_EQ(joined.Frames(i).delay, 40) << i;
  }
  // Only a layered image holds several pictures, and each of them whole.
  EXPECT_EQ(Run("convert " + Path("p0.bmp") + " " + Path("p1.bmp") + " " + Path("x.png")), 1);
  EXPECT_EQ(Run("convert " + Path("p0.bmp") + " " + Path("p1.bmp") + " " + Path("x.orb") + " --frame 0"), 1);
  EXPECT_EQ(Run("convert " + Path("p0.bmp") + " " + Path("x.orb") + " --delay -1"), 1);
  EXPECT_EQ(Run("convert " + Path("p0.bmp") + " " + Path("missing.bmp") + " " + Path("x.orb")), 2);
}

}  // namespace
}  // namespace rivo

// rivotool convert --game DIR scrambles and unscrambles layered images with
// the identification code of the game's project file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "common/byte_writer.h"
#include "scenario/project_file.h"
#include "script/tool_runner.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;

// A 2 x 2 24-bit bitmap file with four different pixels.
std::string SmallBitmap() {
  ByteWriter w;
  w.Bytes("BM");
  w.U32(14 + 40 + 16);
  w.U32(0);
  w.U32(14 + 40);
  w.U32(40);
  w.I32(2);
  w.I32(2);
  w.U16(1);
  w.U16(24);
  w.U32(0);
  w.U32(16);
  w.Bytes(std::string(16, '\0'));
  w.Bytes(std::string("\x01\x02\x03\x04\x05\x06\0\0\x07\x08\x09\x0A\x0B\x0C\0\0", 16));
  return w.Take();
}

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(RivotoolPictureKeyTest, TheGamesIdentificationCodeIsTheKey) {
  if (!fs::exists(testing::RivotoolPath())) GTEST_SKIP() << "rivotool is not built";
  const fs::path dir = fs::temp_directory_path() / ("rivo_picture_key_" + std::to_string(::getpid()));
  fs::create_directories(dir / "game");
  ProjectFile project;
  project.identification_code = 4242;
  std::ofstream(dir / "game" / "RIVO.RPB", std::ios::binary) << project.Write();
  std::ofstream(dir / "in.bmp", std::ios::binary) << SmallBitmap();
  auto path = [&](const char* name) { return "'" + (dir / name).string() + "'"; };
  const std::string game = "'" + (dir / "game").string() + "'";

  ASSERT_EQ(testing::RunRivotool("convert " + path("in.bmp") + " " + path("a.orb") + " --game " + game).code, 0);
  EXPECT_NE(testing::RunRivotool("imginfo --json " + path("a.orb")).out.find("\"scrambled\": true"),
            std::string::npos);
  ASSERT_EQ(testing::RunRivotool("convert --game " + game + " " + path("a.orb") + " " + path("b.bmp")).code, 0);
  ASSERT_EQ(testing::RunRivotool("convert --key 4242 " + path("a.orb") + " " + path("c.bmp")).code, 0);
  ASSERT_EQ(testing::RunRivotool("convert --key 1 " + path("a.orb") + " " + path("d.bmp")).code, 0);
  EXPECT_EQ(ReadAll(dir / "b.bmp"), ReadAll(dir / "in.bmp"));
  EXPECT_EQ(ReadAll(dir / "c.bmp"), ReadAll(dir / "in.bmp"));
  EXPECT_NE(ReadAll(dir / "d.bmp"), ReadAll(dir / "in.bmp"));
  EXPECT_EQ(testing::RunRivotool("convert --game " + path("nowhere") + " " + path("a.orb") + " " + path("e.bmp")).code, 2);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace rivo

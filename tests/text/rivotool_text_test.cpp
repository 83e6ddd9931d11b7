// rivotool text with the fixed test rasteriser: the metrics it prints and
// the picture it writes.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "graphics/picture_file.h"
#include "script/tool_runner.h"

namespace rivo {
namespace {

TEST(RivotoolText, PrintsEachCharactersMetricsAndWritesTheCells) {
  const std::filesystem::path out = std::filesystem::temp_directory_path() / "rivotool_text_test.png";
  testing::ToolOutput r = testing::RunRivotool("text '" + out.string() + "' 'AB' --test-fonts --size 20 --aa 0");
  ASSERT_EQ(r.code, 0) << r.out;
  // At 20: 'A' advance 10, box 7 x 15 at 1, 2; 'B' box 9 x 14 at 0, 0.
  EXPECT_NE(r.out.find("0041       10    1    2     7     15    2  (1,2)-(8,17)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("0042       10    0    0     9     14    1  (10,0)-(19,14)"), std::string::npos) << r.out;
  std::ifstream in(out, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const TDIBSurface picture = ReadPictureFile(bytes, "out.png");
  EXPECT_EQ(picture.Width(), 20);
  EXPECT_EQ(picture.Height(), 20);
  std::filesystem::remove(out);
}

TEST(RivotoolText, RefusesValuesOutOfRange) {
  for (const char* args : {"text x.png A --aa 4", "text x.png A --size 0"})
    EXPECT_EQ(testing::RunRivotool(args).code, 1) << args;
}

}  // namespace
}  // namespace rivo

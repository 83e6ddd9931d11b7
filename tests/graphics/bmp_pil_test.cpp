// Our bitmap reader against an independent decoder: Python's PIL reads the
// same generated files and both must see the same colours.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <unistd.h>

#include "graphics/bmp_codec.h"
#include "graphics/bmp_fixture.h"
#include "graphics/dib_surface.h"

namespace rivo {
namespace {

using testing::BmpLayout;

constexpr const char* kPython = "/usr/bin/python3";

std::string RunCommand(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[65536];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

bool HavePil() {
  return std::filesystem::exists(kPython) &&
         RunCommand(std::string(kPython) + " -c 'import PIL.Image; print(\"yes\")' 2>/dev/null") == "yes\n";
}

struct Sample {
  std::string name;
  BmpLayout layout;
  int channel_bits[3];  // red, green, blue precision to compare
};

std::vector<Sample> Samples() {
  std::vector<Sample> samples;
  auto add = [&](std::string name, int bits, auto tweak, int r = 8, int g = 8, int b = 8) {
    BmpLayout layout;
    layout.width = 23;
    layout.height = 9;
    layout.bit_count = bits;
    if (bits <= 8) layout.palette = testing::GreyRampPalette(1 << bits);
    layout.pixels = testing::PatternPixels(layout.width, layout.height, bits);
    tweak(layout);
    samples.push_back({std::move(name), layout, {r, g, b}});
  };
  auto none = [](BmpLayout&) {};
  auto top_down = [](BmpLayout& s) { s.top_down = true; };
  auto rle = [](BmpLayout& s) { s.rle = true; };
  auto core = [](BmpLayout& s) { s.core_header = true; };
  add("1", 1, none);
  add("1_top_down", 1, top_down);
  add("4", 4, none);
  add("4_top_down", 4, top_down);
  add("4_rle4", 4, rle);
  add("8", 8, none);
  add("8_top_down", 8, top_down);
  add("8_rle8", 8, rle);
  add("8_core", 8, core);
  auto skips = [](BmpLayout& s) {
    s.rle = s.rle_skips = true;
    for (int32_t y = 0; y < s.height; ++y)
      for (int32_t x = 0; x < s.width; ++x)
        if (x >= s.width - 4 || (y == 1 && x >= 6)) s.pixels[static_cast<std::size_t>(y * s.width + x)] = 0;
  };
  add("4_rle4_skips", 4, skips);
  add("8_rle8_skips", 8, skips);
  add("16_555", 16, none, 5, 5, 5);
  add("16_555_top_down", 16, top_down, 5, 5, 5);
  add("16_565_fields", 16, [](BmpLayout& s) {
    s.bit_fields = true;
    s.masks[0] = 0xF800, s.masks[1] = 0x7E0, s.masks[2] = 0x1F;
  }, 5, 6, 5);
  add("24", 24, none);
  add("24_top_down", 24, top_down);
  add("24_core", 24, core);
  add("32", 32, none);
  add("32_fields_top_down", 32, [](BmpLayout& s) {
    s.top_down = true;
    s.bit_fields = true;
    s.masks[0] = 0xFF0000, s.masks[1] = 0xFF00, s.masks[2] = 0xFF;
  });
  // The longer headers of today's editors; the masks lie inside the header.
  add("8_v52", 8, [](BmpLayout& s) { s.header_size = 52; });
  add("8_v124_gap", 8, [](BmpLayout& s) {
    s.header_size = 124;
    s.gap = 36;  // where an editor puts the colour profile
  });
  add("16_565_fields_v56", 16, [](BmpLayout& s) {
    s.header_size = 56;
    s.bit_fields = true;
    s.masks[0] = 0xF800, s.masks[1] = 0x7E0, s.masks[2] = 0x1F;
  }, 5, 6, 5);
  add("16_555_v108", 16, [](BmpLayout& s) { s.header_size = 108; }, 5, 5, 5);
  add("24_v108_top_down", 24, [](BmpLayout& s) {
    s.header_size = 108;
    s.top_down = true;
  });
  add("24_v124", 24, [](BmpLayout& s) { s.header_size = 124; });
  add("32_fields_v56", 32, [](BmpLayout& s) {
    s.header_size = 56;
    s.bit_fields = true;
    s.masks[0] = 0xFF0000, s.masks[1] = 0xFF00, s.masks[2] = 0xFF;
  });
  add("32_fields_rgba_v108", 32, [](BmpLayout& s) {
    s.header_size = 108;
    s.bit_fields = true;
    s.masks[0] = 0xFF, s.masks[1] = 0xFF00, s.masks[2] = 0xFF0000;
    s.alpha_mask = 0xFF000000;
  });
  add("32_fields_xbgr_v56", 32, [](BmpLayout& s) {
    s.header_size = 56;
    s.bit_fields = true;
    s.masks[0] = 0xFF000000, s.masks[1] = 0xFF0000, s.masks[2] = 0xFF00;
  });
  add("32_fields_alpha_v124_gap", 32, [](BmpLayout& s) {
    s.header_size = 124;
    s.bit_fields = true;
    s.masks[0] = 0xFF0000, s.masks[1] = 0xFF00, s.masks[2] = 0xFF;
    s.alpha_mask = 0xFF000000;
    s.gap = 20;
  });
  return samples;
}

TEST(BmpPilTest, EveryBitCountDecodesToThePilColours) {
  if (!HavePil()) GTEST_SKIP() << "PIL is missing: install python3-pil (scripts/setup) to compare";
  const auto dir = std::filesystem::temp_directory_path() /
                   ("rivo_bmp_pil_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string script = dir / "decode.py";
  std::ofstream(script) << "import sys\nfrom PIL import Image\n"
                           "for p in sys.argv[1:]:\n"
                           "    im = Image.open(p).convert('RGB')\n"
                           "    print(p, im.size[0], im.size[1], im.tobytes().hex())\n";
  std::string command = std::string(kPython) + " " + script;
  std::map<std::string, Sample> by_path;
  for (Sample& s : Samples()) {
    const std::string path = dir / (s.name + ".bmp");
    // PIL reads no 52- or 56-byte headers: it gets the same picture with
    // the 108-byte header, which holds the same masks.
    BmpLayout for_pil = s.layout;
    if (for_pil.header_size == 52 || for_pil.header_size == 56) for_pil.header_size = 108;
    std::ofstream(path, std::ios::binary) << testing::WriteBmp(for_pil);
    command += " " + path;
    by_path[path] = s;
  }
  std::istringstream lines(RunCommand(command + " 2>&1"));
  std::size_t compared = 0;
  std::string path, hex;
  int32_t width, height;
  while (lines >> path >> width >> height >> hex) {
    ASSERT_TRUE(by_path.count(path)) << path << " " << width;
    const Sample& s = by_path[path];
    TDIBSurface ours;
    ours.LoadFromStream(testing::WriteBmp(s.layout), s.name);
    ASSERT_EQ(ours.Width(), width) << s.name;
    ASSERT_EQ(ours.Height(), height) << s.name;
    for (int32_t y = 0; y < height; ++y)
      for (int32_t x = 0; x < width; ++x) {
        const TRgb c = ours.ValueToColor(ours.ReadPixel(x, y), false);
        const uint8_t mine[3] = {c.red, c.green, c.blue};
        for (int ch = 0; ch < 3; ++ch) {
          const auto at = static_cast<std::size_t>(((y * width + x) * 3 + ch) * 2);
          const auto theirs = static_cast<uint8_t>(std::stoi(hex.substr(at, 2), nullptr, 16));
          const int drop = 8 - s.channel_bits[ch];
          ASSERT_EQ(mine[ch] >> drop, theirs >> drop)
              << s.name << " pixel " << x << "," << y << " channel " << ch;
        }
      }
    ++compared;
  }
  EXPECT_EQ(compared, by_path.size()) << "PIL could not read every file";
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace rivo

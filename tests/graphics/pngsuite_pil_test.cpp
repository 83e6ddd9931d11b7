// PNG files that no one here wrote (PngSuite, from Debian's Go source
// package) read as frames, against Python's PIL reading the same files: the
// colours and transparency of every pixel, and the transparent value.

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <unistd.h>

#include "graphics/orba_frame_list.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPython = "/usr/bin/python3";
constexpr const char* kSuite = "/usr/share/go-1.19/src/image/png/testdata/pngsuite";

// For each file: name, width, height, CRC-32 of its RGBA pixels, and the
// transparent value PIL reports (an index or grey level, an "r,g,b"
// triple, or "-").
constexpr const char* kPilScript = R"(
import os, sys, zlib
from PIL import Image
for path in sorted(sys.argv[1:]):
    im = Image.open(path)
    im.load()
    t = im.info.get('transparency')
    if isinstance(t, int): t = str(t)
    elif isinstance(t, tuple): t = ','.join(str(v) for v in t)
    else: t = '-'
    rgba = im.convert('RGBA').tobytes()
    print(os.path.basename(path), im.width, im.height, zlib.crc32(rgba), t)
)";

std::string RunCommand(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

// Where PIL is known to read wrongly: 16-bit grey becomes 32-bit integers
// that its RGBA conversion clips, and the transparent level of 4-bit grey
// stays unscaled (so it makes the wrong pixels transparent).
bool PilIsWrong(const std::string& name) {
  return name.find("0g16") != std::string::npos || name == "ftbbn0g04.png";
}

struct OurReading {
  uint32_t crc = 0;
  std::string transparent;
};

OurReading ReadWithUs(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  TOrbaFrameList list;
  list.LoadFromFile(bytes, path.filename().string());
  const TOrbaFrame& f = list.Frames(0);
  const TDIBSurface& p = f.surface;
  std::string rgba;
  for (int32_t y = 0; y < p.Height(); ++y)
    for (int32_t x = 0; x < p.Width(); ++x) {
      const uint32_t v = p.ReadPixel(x, y);
      const TRgb c = p.ValueToColor(v, false);
      const uint32_t alpha = p.HasMask() ? p.Mask()->ReadPixel(x, y)
                             : f.transparent_value >= 0 && v == static_cast<uint32_t>(f.transparent_value) ? 0 : 255;
      rgba += {static_cast<char>(c.red), static_cast<char>(c.green), static_cast<char>(c.blue), static_cast<char>(alpha)};
    }
  OurReading out;
  out.crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(rgba.data()), static_cast<uInt>(rgba.size())));
  if (f.transparent_value < 0) out.transparent = "-";
  else if (p.BitCount() <= 8) out.transparent = std::to_string(f.transparent_value);
  else
    out.transparent = std::to_string(f.transparent_value >> 16 & 0xFF) + "," +
                      std::to_string(f.transparent_value >> 8 & 0xFF) + "," + std::to_string(f.transparent_value & 0xFF);
  return out;
}

TEST(PngSuitePilTest, FramesMatchWhatPilReads) {
  if (!fs::exists(kSuite)) GTEST_SKIP() << "PngSuite missing: install golang-1.19-src";
  if (RunCommand(std::string(kPython) + " -c 'import PIL.Image; print(\"yes\")' 2>/dev/null") != "yes\n")
    GTEST_SKIP() << "PIL missing: install python3-pil";
  const fs::path script = fs::temp_directory_path() / ("rivo_pngsuite_" + std::to_string(::getpid()) + ".py");
  std::ofstream(script) << kPilScript;
  const std::string pil = RunCommand(std::string(kPython) + " '" + script.string() + "' " + kSuite + "/*.png");
  fs::remove(script);
  std::istringstream lines(pil);
  std::string name, transparent;
  int32_t width = 0, height = 0;
  uint32_t crc = 0;
  int compared = 0;
  while (lines >> name >> width >> height >> crc >> transparent) {
    if (PilIsWrong(name)) continue;
    const OurReading ours = ReadWithUs(fs::path(kSuite) / name);
    EXPECT_EQ(ours.crc, crc) << name;
    // PIL names the transparent level of 16-bit samples at full depth.
    if (name.find("16") == std::string::npos) { EXPECT_EQ(ours.transparent, transparent) << name; }
    ++compared;
  }
  EXPECT_GE(compared, 25) << pil;
}

}  // namespace
}  // namespace rivo

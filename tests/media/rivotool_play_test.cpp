// rivotool play --wav: a file rendered through its item and the mixer, as
// the player would play it, sample for sample.

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "media/sound_fixtures.h"
#include "media/wav_writer.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;

int RunTool(const std::string& args) {
  std::string command = std::string(RIVO_BIN_DIR) + "/rivotool " + args + " 2>/dev/null";
  return WEXITSTATUS(std::system(command.c_str()));
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(RivotoolPlay, RendersAWaveFileSampleForSampleWithNoPadding) {
  testing::GameFolder g;
  std::string pcm = testing::SinePcm(12345, 2, 44100, 1000, 12000);
  g.Put("in.wav", testing::WavOf(pcm, 2, 44100));
  fs::path out = g.Game() / "out.wav";
  ASSERT_EQ(RunTool("play " + (g.Game() / "in.wav").string() + " --wav " + out.string()), 0);
  EXPECT_EQ(Slurp(out), WavFileBytes(kMixFormat, pcm));
}

TEST(RivotoolPlay, RendersAnOggToItsLengthAndCutsAtMs) {
  testing::GameFolder g;
  g.Put("in.ogg", testing::OggOf(testing::SinePcm(22050, 1, 22050, 500, 9000), 1, 22050));
  fs::path out = g.Game() / "out.wav";
  ASSERT_EQ(RunTool("play --wav " + out.string() + " " + (g.Game() / "in.ogg").string()), 0);
  EXPECT_EQ(Slurp(out).size(), 44u + 44100 * 4);
  ASSERT_EQ(RunTool("play " + (g.Game() / "in.ogg").string() + " --ms 100 --wav " + out.string()), 0);
  EXPECT_EQ(Slurp(out).size(), 44u + 4410 * 4);
}

TEST(RivotoolPlay, RefusesBadArgumentsAndDamagedFiles) {
  testing::GameFolder g;
  g.Put("bad.ogg", "not an ogg");
  g.Put("x.txt", "text");
  const fs::path out = g.Game() / "out.wav";
  EXPECT_EQ(RunTool("play"), 1);
  EXPECT_EQ(RunTool("play a.ogg --ms -5"), 1);
  EXPECT_EQ(RunTool("play " + (g.Game() / "x.txt").string() + " --wav " + out.string()), 1);
  EXPECT_EQ(RunTool("play " + (g.Game() / "bad.ogg").string() + " --wav " + out.string()), 2);
  EXPECT_EQ(RunTool("play " + (g.Game() / "none.ogg").string() + " --wav " + out.string()), 2);
}

}  // namespace
}  // namespace rivo

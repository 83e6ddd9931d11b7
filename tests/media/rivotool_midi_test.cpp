// rivotool midi: the merged events of a file as JSON, running status
// written out and system-exclusive data without its length.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "media/midi_fixtures.h"
#include "media/sound_fixtures.h"

namespace rivo {
namespace {

using testing::B;

std::string RunTool(const std::string& args, int* status) {
  std::string command = std::string(RIVO_BIN_DIR) + "/rivotool " + args + " 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) out.append(buffer, n);
  *status = WEXITSTATUS(pclose(pipe.release()));
  return out;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(RivotoolMidi, PrintsTheMergedEventsAsJson) {
  testing::GameFolder g;
  g.Put("a.mid", testing::MidiHeader(1, 2, 96) +
                     testing::MidiTrack({{96, B({0xF0, 2, 0x7E, 0xF7})}, testing::EndOfTrack()}) +
                     testing::MidiTrack({{0, B({0x90, 0x3C, 0x64})}, {48, B({0x3C, 0x00})}, testing::EndOfTrack(48)}));
  int status = 0;
  std::string out = RunTool("midi --json " + (g.Game() / "a.mid").string(), &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out,
            "{\"format\": 1, \"division\": 96, \"tracks\": 2, \"length_ms\": 500, \"events\": [\n"
            "  {\"ms\": 0, \"tick\": 0, \"track\": 1, \"data\": \"903c64\"},\n"
            "  {\"ms\": 250, \"tick\": 48, \"track\": 1, \"data\": \"903c00\"},\n"
            "  {\"ms\": 500, \"tick\": 96, \"track\": 0, \"data\": \"f07ef7\"},\n"
            "  {\"ms\": 500, \"tick\": 96, \"track\": 0, \"data\": \"ff2f\"},\n"
            "  {\"ms\": 500, \"tick\": 96, \"track\": 1, \"data\": \"ff2f\"}\n"
            "]}\n");
  RunTool("midi", &status);
  EXPECT_EQ(status, 1);
  RunTool("midi " + (g.Game() / "none.mid").string(), &status);
  EXPECT_EQ(status, 2);
}

TEST(RivotoolMidi, PlayRendersAMidiFileThroughTheSynthesiserTheSameEveryTime) {
  testing::GameFolder g;
  g.Put("c.mid", testing::MidiHeader(0, 1, 96) + testing::MidiTrack({{0, B({0x90, 0x3C, 0x64})},
                                                                     {0, B({0x40, 0x64})},
                                                                     {96, B({0x80, 0x3C, 0x00})},
                                                                     {0, B({0x40, 0x00})},
                                                                     testing::EndOfTrack()}));
  int status = 0;
  const std::string a = (g.Game() / "a.wav").string(), b = (g.Game() / "b.wav").string();
  RunTool("play " + (g.Game() / "c.mid").string() + " --wav " + a, &status);
  ASSERT_EQ(status, 0);
  RunTool("play " + (g.Game() / "c.mid").string() + " --wav " + b, &status);
  std::string wav_a = Slurp(a), wav_b = Slurp(b);
  // Half a second of notes and a second for them to fade, at 44,100 Hz stereo.
  EXPECT_EQ(wav_a.size(), 44u + 66150 * 4);
  EXPECT_EQ(wav_a, wav_b);
  EXPECT_NE(wav_a.find_first_not_of(std::string(1, '\0'), 44), std::string::npos);
}

}  // namespace
}  // namespace rivo

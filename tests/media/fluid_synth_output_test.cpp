// The synthesiser as an input of the mixer: a chord sounds, and the same
// messages render the same samples every time.

#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "common/error.h"
#include "media/fluid_synth_output.h"

namespace rivo {
namespace {

// One second of C major (C4, E4, G4) on the piano, as mixer samples.
std::vector<int32_t> RenderChord(const std::filesystem::path& font) {
  FluidSynthOutput synth(font);
  synth.ShortMessage(0xC0);  // program 0
  for (uint32_t key : {60u, 64u, 67u}) synth.ShortMessage(0x90 | key << 8 | 100u << 16);
  std::vector<int32_t> samples(44100 * 2);
  for (std::size_t at = 0; at < samples.size(); at += 441 * 2)
    synth.MixInto(std::span<int32_t>(samples).subspan(at, 441 * 2));
  return samples;
}

TEST(FluidSynthOutput, RendersAChordAudiblyAndReproducibly) {
  std::filesystem::path font = ChooseSoundFont({});
  if (font.empty()) GTEST_SKIP() << "no General MIDI sound font installed (timgm6mb-soundfont)";
  std::vector<int32_t> first = RenderChord(font);
  int64_t energy = 0;
  for (int32_t s : first) energy += std::abs(s);
  EXPECT_GT(energy / static_cast<int64_t>(first.size()), 100);
  EXPECT_EQ(first, RenderChord(font));
}

TEST(FluidSynthOutput, RefusesAMissingSoundFont) {
  EXPECT_THROW(FluidSynthOutput("/nonexistent/font.sf2"), RivoError);
  EXPECT_EQ(ChooseSoundFont("mine.sf2"), "mine.sf2");
}

}  // namespace
}  // namespace rivo

#pragma once
// The General MIDI synthesiser: FluidSynth with a sound font, played as one
// input of the mixer. The synthesiser renders inside the mixer's pull (not
// through an audio driver of its own), so music shares the one device and
// renders exactly into files.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "media/midi_synth.h"

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace rivo {

// The font named by the user, else the first of Debian's General MIDI fonts
// that is installed; empty when there is none.
std::filesystem::path ChooseSoundFont(const std::filesystem::path& requested);

// The synthesiser of the chosen font (ChooseSoundFont) made on a worker
// thread: creating FluidSynth and reading the font's presets takes tens of
// milliseconds, which would stall the frame that starts the first tune.
// An invalid future when no thread could be started.
SynthAhead MakeFluidSynthAhead(std::filesystem::path requested_font);

class FluidSynthOutput final : public MidiSynth {
 public:
  // Throws RivoError when the synthesiser or the font cannot be loaded.
  explicit FluidSynthOutput(const std::filesystem::path& sound_font);
  ~FluidSynthOutput() override;
  FluidSynthOutput(const FluidSynthOutput&) = delete;
  FluidSynthOutput& operator=(const FluidSynthOutput&) = delete;

  void ShortMessage(uint32_t packed) override;
  void LongMessage(std::span<const uint8_t> bytes) override;
  void Reset() override;
  void MixInto(std::span<int32_t> acc) override;

 private:
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  std::vector<int16_t> block_;
};

}  // namespace rivo

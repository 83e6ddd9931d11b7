#include "media/fluid_synth_output.h"

#include <fluidsynth.h>

#include <algorithm>
#include <system_error>
#include <utility>

#include "common/error.h"

namespace rivo {

std::filesystem::path ChooseSoundFont(const std::filesystem::path& requested) {
  if (!requested.empty()) return requested;
  // Named files, not "default-GM.sf2": that link follows whichever font
  // package was installed last.
  for (const char* candidate : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return {};
}

SynthAhead MakeFluidSynthAhead(std::filesystem::path requested_font) {
  try {
    // The worker owns its copy of the path and shares nothing else.
    return std::async(std::launch::async, [font = std::move(requested_font)]() -> std::shared_ptr<MidiSynth> {
      return std::make_shared<FluidSynthOutput>(ChooseSoundFont(font));
    });
  } catch (const std::system_error&) {
    return {};
  }
}

FluidSynthOutput::FluidSynthOutput(const std::filesystem::path& sound_font) {
  // Checked first: the library would only log its own complaints.
  std::error_code error;
  if (sound_font.empty() || !std::filesystem::is_regular_file(sound_font, error))
    throw RivoError("sound font cannot be loaded: " + sound_font.string());
  settings_ = new_fluid_settings();
  fluid_settings_setnum(settings_, "synth.sample-rate", 44100.0);
  // No threads of its own: the mixer's pull does all the rendering.
  fluid_settings_setint(settings_, "synth.cpu-cores", 1);
  // Samples are read when a program first needs them: reading the whole
  // font up front stalled the frame that started the first tune by ~60 ms.
  fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
  synth_ = new_fluid_synth(settings_);
  if (!synth_ || sound_font.empty() || fluid_synth_sfload(synth_, sound_font.c_str(), 1) == FLUID_FAILED) {
    if (synth_) delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
    throw RivoError("sound font cannot be loaded: " + sound_font.string());
  }
}

FluidSynthOutput::~FluidSynthOutput() {
  delete_fluid_synth(synth_);
  delete_fluid_settings(settings_);
}

void FluidSynthOutput::ShortMessage(uint32_t packed) {
  const int status = packed & 0xFF, channel = status & 0x0F;
  const int data1 = (packed >> 8) & 0x7F, data2 = (packed >> 16) & 0x7F;
  switch (status & 0xF0) {
    case 0x80:
      fluid_synth_noteoff(synth_, channel, data1);
      break;
    case 0x90:
      data2 ? fluid_synth_noteon(synth_, channel, data1, data2) : fluid_synth_noteoff(synth_, channel, data1);
      break;
    case 0xA0:
      fluid_synth_key_pressure(synth_, channel, data1, data2);
      break;
    case 0xB0:
      fluid_synth_cc(synth_, channel, data1, data2);
      break;
    case 0xC0:
      fluid_synth_program_change(synth_, channel, data1);
      break;
    case 0xD0:
      fluid_synth_channel_pressure(synth_, channel, data1);
      break;
    case 0xE0:
      fluid_synth_pitch_bend(synth_, channel, data1 | data2 << 7);
      break;
    default:
      break;
  }
}

void FluidSynthOutput::LongMessage(std::span<const uint8_t> bytes) {
  // The synthesiser wants the message between its F0 and its closing F7.
  if (bytes.empty()) return;
  bytes = bytes.subspan(1);
  if (!bytes.empty() && bytes.back() == 0xF7) bytes = bytes.first(bytes.size() - 1);
  fluid_synth_sysex(synth_, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), nullptr,
                    nullptr, nullptr, 0);
}

void FluidSynthOutput::Reset() { fluid_synth_system_reset(synth_); }

void FluidSynthOutput::MixInto(std::span<int32_t> acc) {
  const int frames = static_cast<int>(acc.size() / 2);
  block_.assign(acc.size(), 0);
  fluid_synth_write_s16(synth_, frames, block_.data(), 0, 2, block_.data(), 1, 2);
  for (std::size_t i = 0; i < acc.size(); ++i) acc[i] += block_[i];
}

}  // namespace rivo

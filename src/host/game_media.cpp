#include "host/game_media.h"

#include "platform/silent_audio_device.h"

namespace rivo {

namespace {
MediaSettings MediaSettingsOf(const Settings& s) {
  return {.UseDirectSound = s.UseDirectSound, .SoundDelayMs = s.SoundDelayMs, .UseWmp = s.UseWmp, .SoundFont = s.SoundFont};
}
}  // namespace

GameMedia::GameMedia(TVrFileManager& files, AudioDevice* device, Clock& clock, const Settings& settings,
                     SynthAhead synth_ahead) {
  if (!device) {
    silent_ = std::make_unique<SilentAudioDevice>();
    device = silent_.get();
  }
  media_ = std::make_unique<TMediaSystem>(files, *device, clock, MediaSettingsOf(settings));
  // Ready before the title screen's tune, as a device opened at start would be.
  if (synth_ahead.valid()) media_->Midi().PrepareSynth(std::move(synth_ahead));
  else media_->Midi().PrepareSynth();
}

}  // namespace rivo

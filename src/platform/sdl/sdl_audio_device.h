#pragma once
// The one SDL sound device: 44,100 Hz, 16-bit stereo, pulled by SDL's audio
// thread from the player's mixer.

#include <SDL.h>

#include <memory>

#include "platform/audio_device.h"

namespace rivo {

class SdlAudioDevice final : public AudioDevice {
 public:
  // nullptr when no device opens (the reason is in SDL_GetError()).
  static std::unique_ptr<SdlAudioDevice> Open();
  SdlAudioDevice(const SdlAudioDevice&) = delete;
  SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;
  ~SdlAudioDevice() override;

  void SetSource(AudioSource* source) override;
  bool Audible() const override { return true; }
  AudioPull Pull() const override { return AudioPull::kOwnThread; }

 private:
  SdlAudioDevice() = default;
  static void Callback(void* self, Uint8* stream, int length);

  SDL_AudioDeviceID device_ = 0;
  AudioSource* source_ = nullptr;  // read by the audio thread under SDL's device lock
};

}  // namespace rivo

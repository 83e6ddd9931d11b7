#pragma once
// The device the player gets when no sound device opens: it plays nothing
// and pulls nothing, and the game goes on without sound.

#include "platform/audio_device.h"

namespace rivo {

class SilentAudioDevice final : public AudioDevice {
 public:
  void SetSource(AudioSource*) override {}
  bool Audible() const override { return false; }
  bool Discards() const override { return true; }
  AudioPull Pull() const override { return AudioPull::kNone; }
};

}  // namespace rivo

#pragma once
// The sound device of headless runs: no sound leaves the process, but the
// source is pulled at 44,100 frames per second of virtual time, so mixers,
// end-of-sound detection and everything timed by samples behave as they
// would with a real device, and reproducibly.

#include <cstdint>
#include <vector>

#include "platform/audio_device.h"
#include "platform/headless/virtual_clock.h"

namespace rivo {

class NullAudioDevice final : public AudioDevice, public TimeFollower {
 public:
  explicit NullAudioDevice(VirtualClock& clock) : clock_(clock) { clock_.Follow(this); }
  NullAudioDevice(const NullAudioDevice&) = delete;
  NullAudioDevice& operator=(const NullAudioDevice&) = delete;
  ~NullAudioDevice() override { clock_.Unfollow(this); }

  void SetSource(AudioSource* source) override { source_ = source; }
  bool Audible() const override { return false; }
  bool Discards() const override { return true; }
  AudioPull Pull() const override { return AudioPull::kCallerThread; }
  void Advance(uint64_t elapsed_ms) override;

  uint64_t FramesPulled() const { return frames_pulled_; }

 private:
  VirtualClock& clock_;
  AudioSource* source_ = nullptr;
  uint64_t frames_pulled_ = 0;
  uint64_t time_ms_ = 0;
  std::vector<int16_t> buffer_;
};

}  // namespace rivo

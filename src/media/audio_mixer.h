#pragma once
// The one mixer behind the audio device: every voice (decoded sounds, the
// wave output's blocks, later the MIDI synthesiser) adds its samples into
// one accumulator, which is clamped to 16 bits once. When the device pulls
// from a thread of its own, a worker decodes each voice ahead into its own
// buffer, so the device's callback never touches a file; when the device
// pulls on the caller's thread (the null device in virtual time, rendering
// to a file), the pull decodes what it needs, exactly and reproducibly.

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "platform/audio_device.h"

namespace rivo {

class MixerInput {
 public:
  virtual ~MixerInput() = default;
  // Adds this input's next frames into acc (interleaved stereo, one int32
  // per sample). Called by the device's pull.
  virtual void MixInto(std::span<int32_t> acc) = 0;
  // Prepares samples ahead of the pull; called by the worker thread.
  virtual void DecodeAhead() {}
};

class AudioMixer final : public AudioSource {
 public:
  explicit AudioMixer(AudioPull pull);
  ~AudioMixer() override;
  AudioMixer(const AudioMixer&) = delete;
  AudioMixer& operator=(const AudioMixer&) = delete;

  AudioPull Pull() const { return pull_; }
  // Whether inputs must decode as they are pulled (no worker runs).
  bool DecodesInPull() const { return pull_ != AudioPull::kOwnThread; }

  void Add(std::shared_ptr<MixerInput> input);
  void Remove(const MixerInput* input);
  void Render(std::span<int16_t> interleaved) override;

 private:
  void WorkerLoop();

  const AudioPull pull_;
  mutable std::mutex mutex_;
  std::vector<std::shared_ptr<MixerInput>> inputs_;
  std::vector<int32_t> acc_;
  bool stopping_ = false;
  std::condition_variable wake_;
  std::thread worker_;
};

}  // namespace rivo

#pragma once
// The sound device of --audio-out: the player's own device, with everything
// it pulls copied into a WAVE file as well. Headless runs pull in virtual
// time, so their recording is the same for the same seed and input, and
// tests can listen to where a game makes sound.

#include <memory>
#include <mutex>

#include "media/wav_recorder.h"
#include "platform/audio_device.h"

namespace rivo {

class RecordingAudioDevice final : public AudioDevice {
 public:
  // file (in the mixer's format) must outlive this device.
  RecordingAudioDevice(std::unique_ptr<AudioDevice> device, WavRecorder& file);
  RecordingAudioDevice(const RecordingAudioDevice&) = delete;
  RecordingAudioDevice& operator=(const RecordingAudioDevice&) = delete;
  ~RecordingAudioDevice() override;

  void SetSource(AudioSource* source) override;
  bool Audible() const override { return device_->Audible(); }
  bool Discards() const override { return false; }  // the file keeps every sample
  AudioPull Pull() const override { return device_->Pull(); }

 private:
  // Always the device's source, so that the stretches without a source are
  // recorded as the silence they are and the file keeps time.
  class Tap final : public AudioSource {
   public:
    explicit Tap(WavRecorder& file) : file_(file) {}
    void Render(std::span<int16_t> interleaved) override;
    void SetSource(AudioSource* source);

   private:
    WavRecorder& file_;
    // A real device renders on its own thread: the lock keeps a source
    // from being replaced, or destroyed, while it is rendering.
    std::mutex mutex_;
    AudioSource* source_ = nullptr;
  };

  Tap tap_;
  std::unique_ptr<AudioDevice> device_;  // declared after tap_: it stops pulling before the tap goes
};

}  // namespace rivo

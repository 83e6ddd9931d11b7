#include "media/recording_audio_device.h"

namespace rivo {

void RecordingAudioDevice::Tap::Render(std::span<int16_t> interleaved) {
  std::lock_guard lock(mutex_);
  // The device hands over silence, which stands when there is no source.
  if (source_) source_->Render(interleaved);
  file_.AppendSamples(interleaved);
}

void RecordingAudioDevice::Tap::SetSource(AudioSource* source) {
  std::lock_guard lock(mutex_);
  source_ = source;
}

RecordingAudioDevice::RecordingAudioDevice(std::unique_ptr<AudioDevice> device, WavRecorder& file)
    : tap_(file), device_(std::move(device)) {
  device_->SetSource(&tap_);
}

RecordingAudioDevice::~RecordingAudioDevice() { device_->SetSource(nullptr); }

void RecordingAudioDevice::SetSource(AudioSource* source) { tap_.SetSource(source); }

}  // namespace rivo

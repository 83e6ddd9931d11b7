#include "media/audio_mixer.h"

#include <algorithm>
#include <chrono>

namespace rivo {

namespace {
// How often the worker tops up the voices' buffers; each holds about half
// a second, so a late wake-up never starves the device.
constexpr auto kWorkerPeriod = std::chrono::milliseconds(10);
}  // namespace

AudioMixer::AudioMixer(AudioPull pull) : pull_(pull) {
  if (pull_ == AudioPull::kOwnThread) worker_ = std::thread([this] { WorkerLoop(); });
}

AudioMixer::~AudioMixer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void AudioMixer::Add(std::shared_ptr<MixerInput> input) {
  std::lock_guard lock(mutex_);
  inputs_.push_back(std::move(input));
}

void AudioMixer::Remove(const MixerInput* input) {
  std::lock_guard lock(mutex_);
  std::erase_if(inputs_, [&](const auto& i) { return i.get() == input; });
}

void AudioMixer::Render(std::span<int16_t> out) {
  std::lock_guard lock(mutex_);
  if (inputs_.empty()) {
    std::fill(out.begin(), out.end(), int16_t{0});
    return;
  }
  acc_.assign(out.size(), 0);
  std::span<int32_t> acc(acc_);
  for (const auto& input : inputs_) input->MixInto(acc);
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<int16_t>(std::clamp(acc[i], -32768, 32767));
}

void AudioMixer::WorkerLoop() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    std::vector<std::shared_ptr<MixerInput>> inputs = inputs_;
    lock.unlock();
    for (const auto& input : inputs) input->DecodeAhead();
    inputs.clear();
    lock.lock();
    wake_.wait_for(lock, kWorkerPeriod, [this] { return stopping_; });
  }
}

}  // namespace rivo

#include "platform/headless/null_audio_device.h"

#include <algorithm>

namespace rivo {

void NullAudioDevice::Advance(uint64_t elapsed_ms) {
  time_ms_ += elapsed_ms;
  // Frames due by now, from the total time, so no rounding error piles up.
  uint64_t due = time_ms_ * kAudioRate / 1000;
  constexpr uint64_t kChunkFrames = 1024;
  while (frames_pulled_ < due) {
    uint64_t frames = std::min(kChunkFrames, due - frames_pulled_);
    buffer_.assign(frames * kAudioChannels, 0);
    if (source_) source_->Render(buffer_);
    frames_pulled_ += frames;
  }
}

}  // namespace rivo

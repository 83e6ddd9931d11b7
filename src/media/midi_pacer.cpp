#include "media/midi_pacer.h"

#include <algorithm>

#include "media/midi_play_v.h"

namespace rivo {

void MidiPacer::SetSynth(std::shared_ptr<MixerInput> synth) {
  std::lock_guard lock(mutex_);
  synth_ = std::move(synth);
}

void MidiPacer::DecodeAhead() {
  std::shared_ptr<MixerInput> synth;
  {
    // Not held while the synthesiser prepares: the device's pull goes on.
    std::lock_guard lock(mutex_);
    synth = synth_;
  }
  if (synth) synth->DecodeAhead();
}

uint64_t MidiPacer::NowMs() { return static_cast<uint64_t>(frames_.load() * 1000 / 44100); }

void MidiPacer::MixInto(std::span<int32_t> acc) {
  std::lock_guard lock(mutex_);
  std::size_t done = 0;
  while (done < acc.size()) {
    int64_t frames = frames_.load();
    if (steps_ && sequencer_ && frames % kStepFrames == 0) sequencer_->TimerStep();
    const int64_t n = steps_ ? std::min<int64_t>(kStepFrames - frames % kStepFrames, static_cast<int64_t>(acc.size() - done) / 2)
                             : static_cast<int64_t>(acc.size() - done) / 2;
    if (n <= 0) break;
    if (synth_) synth_->MixInto(acc.subspan(done, static_cast<std::size_t>(n * 2)));
    frames_ = frames + n;
    done += static_cast<std::size_t>(n * 2);
  }
}

}  // namespace rivo

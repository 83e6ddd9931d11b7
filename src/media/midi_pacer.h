#pragma once
// The clock of the sequencer when the device pulls on the caller's thread
// (the null device in virtual time, rendering to a file): time is the
// samples pulled, and the pull itself runs one sequencer step every 10 ms
// of samples before rendering them, so that notes start on the sample they
// are due and every run renders the same. With a device of its own thread
// the sequencer runs its own timer, and the pacer only renders the
// synthesiser (and lets it prepare on the mixer's worker).

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "media/audio_mixer.h"
#include "platform/clock.h"

namespace rivo {

class TMidiPlayV;

class MidiPacer final : public MixerInput, public Clock {
 public:
  explicit MidiPacer(bool steps_sequencer) : steps_(steps_sequencer) {}

  // Set once, before the pacer joins the mixer.
  void SetSequencer(TMidiPlayV* sequencer) { sequencer_ = sequencer; }
  // The synthesiser rendered after each step; nullptr renders nothing.
  void SetSynth(std::shared_ptr<MixerInput> synth);

  uint64_t NowMs() override;
  void MixInto(std::span<int32_t> acc) override;
  void DecodeAhead() override;

 private:
  static constexpr int64_t kStepFrames = 441;  // 10 ms

  const bool steps_;
  TMidiPlayV* sequencer_ = nullptr;
  std::mutex mutex_;
  std::shared_ptr<MixerInput> synth_;
  std::atomic<int64_t> frames_{0};
};

}  // namespace rivo

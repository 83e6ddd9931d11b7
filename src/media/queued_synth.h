#pragma once
// The synthesiser of a device that pulls from a thread of its own. Nobody
// who sends music waits for the synthesiser: every message goes into a
// list, and the synthesiser's side plays the list into it before it
// renders (the device's pull) or while the mixer's worker looks in
// (DecodeAhead). So neither the player's thread nor the sequencer's timer
// ever waits for a render, for the sound font's samples, or for the worker
// that still makes the synthesiser (loading a font takes tens of
// milliseconds): until it is ready the list keeps the music in order, the
// worker plays it in once, and only the first notes come a little late.
// A synthesiser that cannot be made leaves the music silent; the sequencer
// keeps its time either way.

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "media/midi_synth.h"

namespace rivo {

class QueuedSynth final : public MidiSynth {
 public:
  // ahead must be valid.
  explicit QueuedSynth(SynthAhead ahead);

  void ShortMessage(uint32_t packed) override;
  void LongMessage(std::span<const uint8_t> bytes) override;
  void Reset() override;
  // Plays what came, then renders; silence until the synthesiser is taken.
  void MixInto(std::span<int32_t> acc) override;
  // Takes the synthesiser once the worker has made it, and plays what came.
  void DecodeAhead() override;

 private:
  struct Message {
    enum class Kind { kShort, kLong, kReset } kind;
    uint32_t packed = 0;
    std::vector<uint8_t> bytes;
  };
  // A song denser than this before the font is in loses what comes after;
  // a bound, not a length any real start reaches.
  static constexpr std::size_t kMaxWaiting = 1 << 16;

  void Post(Message message);
  void PlayWhatCame();  // with synth_mutex_ held and synth_ set

  // Held only to add messages or take them all: a sender waits for no
  // more than that.
  std::mutex inbox_mutex_;
  std::vector<Message> inbox_;
  bool discarding_ = false;  // the synthesiser could not be made

  // The synthesiser's side (the device's pull, the mixer's worker); taken
  // before inbox_mutex_ and before the synthesiser's own lock.
  std::mutex synth_mutex_;
  SynthAhead ahead_;                  // until the synthesiser is taken
  std::shared_ptr<MidiSynth> synth_;  // once taken
  std::vector<Message> playing_;      // the messages taken from the inbox
};

}  // namespace rivo

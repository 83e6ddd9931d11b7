#pragma once
// The synthesiser of a device that pulls from a thread of its own, while a
// worker is still making it (loading a sound font takes tens of
// milliseconds). Nobody waits for it: the sequencer's messages are kept in
// order and played into the synthesiser once it is ready, on the mixer's
// worker (DecodeAhead), so neither the player's thread, the sequencer's
// timer nor the device's callback stalls, and only the first notes of the
// first tune come a little late. Until then, and for good when the
// synthesiser cannot be made, the music is silent; the sequencer keeps its
// time either way.

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "media/midi_synth.h"

namespace rivo {

class PendingSynth final : public MidiSynth {
 public:
  // ahead must be valid.
  explicit PendingSynth(SynthAhead ahead);

  void ShortMessage(uint32_t packed) override;
  void LongMessage(std::span<const uint8_t> bytes) override;
  void Reset() override;
  void MixInto(std::span<int32_t> acc) override;
  // Takes the synthesiser once the worker has made it and plays it what
  // waited.
  void DecodeAhead() override;

 private:
  struct Message {
    enum class Kind { kShort, kLong, kReset } kind;
    uint32_t packed = 0;
    std::vector<uint8_t> bytes;
  };
  // A song denser than this before the font is in loses what comes after;
  // a bound, not a size any real start reaches.
  static constexpr std::size_t kMaxWaiting = 1 << 16;

  void Deliver(const Message& message);  // with mutex_ held
  void Keep(Message message);            // with mutex_ held

  // Guards everything below; the sequencer's timer, the player's thread,
  // the device's callback and the mixer's worker all come here. Taken
  // before the synthesiser's own lock, never after it.
  std::mutex mutex_;
  SynthAhead ahead_;                  // until the synthesiser is taken
  std::shared_ptr<MidiSynth> synth_;  // once taken
  bool failed_ = false;               // the synthesiser could not be made
  std::vector<Message> waiting_;
};

}  // namespace rivo

#pragma once
// Where the sequencer's messages go: a synthesiser, or a recorder in tests.

#include <cstdint>
#include <span>

namespace rivo {

class MidiOutput {
 public:
  virtual ~MidiOutput() = default;
  // A channel message packed little-endian: status | data1 << 8 | data2 << 16.
  virtual void ShortMessage(uint32_t packed) = 0;
  // A system-exclusive message whole, from its F0 (or F7) to its end.
  virtual void LongMessage(std::span<const uint8_t> bytes) = 0;
  // Silences everything at once when the device is closed.
  virtual void Reset() {}
};

}  // namespace rivo

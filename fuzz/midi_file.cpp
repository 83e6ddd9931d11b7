// MIDI files from arbitrary bytes: the reader never crashes, reads outside
// the data or allocates more than the data can describe; what it gives is
// in playing order, every event has its status, and the length is the time
// of the last event.

#include <cstddef>
#include <cstdint>

#include "media/midi_v.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  rivo::TMidiV midi;
  midi.Load({data, size});
  if (midi.Events.size() > size) __builtin_trap();
  for (std::size_t i = 0; i < midi.Events.size(); ++i) {
    const rivo::TMidiMsgEvent& e = midi.Events[i];
    if (e.Data.empty() || static_cast<uint8_t>(e.Data[0]) < 0x80) __builtin_trap();
    if (i > 0 && (e.Tick < midi.Events[i - 1].Tick ||
                  (e.Tick == midi.Events[i - 1].Tick && e.Id < midi.Events[i - 1].Id)))
      __builtin_trap();
  }
  if (!midi.Events.empty() && midi.Length != midi.Events.back().Time) __builtin_trap();
  return 0;
}

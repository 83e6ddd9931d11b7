#pragma once
// MIDI files read and parsed ahead of need: the MIDI player asks here before
// it reads and parses a file itself. What is handed over must be exactly
// what its own read would give now (the bytes of the file where it lies at
// the moment of asking, through the same parser); anything else, or a file
// that could not be read ahead, is simply not there, so that the player's
// own read reports errors as always.

#include <memory>
#include <string_view>

#include "media/midi_v.h"

namespace rivo {

class TPreparedMusic {
 public:
  virtual ~TPreparedMusic() = default;
  // Whether the file was read ahead, whole, from where it lies now: the
  // player's own read would find it and read it without error.
  virtual bool OffersSequence(std::string_view name) = 0;
  // The file's sequence taken out, once; nothing when it was not read ahead
  // or does not lie where it was read from.
  virtual std::unique_ptr<TMidiV> TakeSequence(std::string_view name) = 0;
};

}  // namespace rivo

#pragma once
// The volume ramps of sounds and movies. The item's volume is in hundredths
// of a decibel; for every kind but MIDI only the upper half of that scale
// is audible, so a fade-in runs from the midpoint to the target and a
// fade-out from the start to the midpoint, each linear over the duration.

#include <cstdint>

#include "media/media_item.h"

namespace rivo {

class TRivoMixer {
 public:
  // fade_in: from silence to target; otherwise from the item's volume to silence.
  TRivoMixer(TDMediaItem& item, bool midi, bool fade_in, int32_t target, int32_t duration_ms);

  // One tick at game time now; true once the ramp is complete.
  bool Step(int32_t now_ms);
  bool FadesIn() const { return fade_in_; }

 private:
  TDMediaItem& item_;
  const bool midi_;
  const bool fade_in_;
  bool started_ = false;
  int32_t start_time_ = 0;
  int32_t start_ = 0;
  int32_t target_;
  const int32_t duration_;
};

}  // namespace rivo

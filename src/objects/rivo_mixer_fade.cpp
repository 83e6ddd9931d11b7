#include "objects/rivo_mixer_fade.h"

namespace rivo {

TRivoMixer::TRivoMixer(TDMediaItem& item, bool midi, bool fade_in, int32_t target, int32_t duration_ms)
    : item_(item), midi_(midi), fade_in_(fade_in), target_(fade_in ? target : -10000), duration_(duration_ms) {}

bool TRivoMixer::Step(int32_t now_ms) {
  if (!started_) {
    started_ = true;
    start_time_ = now_ms;
    if (fade_in_) {
      item_.SetVol(-10000);
      item_.Play();
      start_ = -10000;
    } else {
      start_ = item_.GetVol();
    }
  }
  const int64_t t = int64_t{now_ms} - start_time_;
  if (t >= duration_) {
    if (fade_in_) item_.SetVol(target_);
    return true;
  }
  int64_t from = start_, to = target_;
  if (!midi_) {
    const int64_t mid = start_ + (int64_t{target_} - start_) / 2;
    if (fade_in_) from = mid;
    else to = mid;
  }
  item_.SetVol(static_cast<int32_t>(from + (to - from) * t / duration_));
  return false;
}

}  // namespace rivo

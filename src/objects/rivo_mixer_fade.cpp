#include "objects/rivo_mixer_fade.h"

namespace rivo {

namespace {
constexpr int32_t kSilent = -10000;
}  // namespace

int32_t EffectiveVolumeOf(int32_t volume, bool midi) {
  if (midi) return volume * 10 - 10000;
  if (volume <= 0) return kSilent;
  if (volume > 1000) return 0;
  return volume * 5 - 5000;
}

bool TRivoMixer::Step(int32_t now_ms) {
  if (!started_) {
    started_ = true;
    start_time_ = now_ms;
    Begin();
  }
  const int64_t t = int64_t{now_ms} - start_time_;
  if (t >= duration_) {
    Complete();
    return true;
  }
  int64_t from = start_, to = target_;
  if (!midi_) AudibleRange(from, to);
  item_.SetVol(static_cast<int32_t>(from + (to - from) * t / duration_));
  return false;
}

void TRivoMixerFadein::Begin() {
  item_.SetVol(kSilent);
  item_.Play();
  start_ = kSilent;
}

void TRivoMixerFadein::AudibleRange(int64_t& from, int64_t& to) const { from = start_ + (int64_t{target_} - start_) / 2; }

void TRivoMixerFadeout::Begin() {
  start_ = item_.GetVol();
  target_ = kSilent;
}

void TRivoMixerFadeout::AudibleRange(int64_t& from, int64_t& to) const { to = start_ + (int64_t{target_} - start_) / 2; }

}  // namespace rivo

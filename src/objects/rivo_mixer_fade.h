#pragma once
// The volume ramps of sounds and movies: TRivoMixerFadein from silence to
// the item's volume, TRivoMixerFadeout from its volume to silence. The
// item's volume is in hundredths of a decibel; for every kind but MIDI
// only the upper half of that scale is audible, so a fade-in runs from the
// midpoint to the target and a fade-out from the start to the midpoint,
// each linear over the duration. A ramp takes its start on its first step.

#include <cstdint>

#include "media/media_item.h"

namespace rivo {

// The volume a sound's or movie's 0 … 1000 volume gives its item: for MIDI
// volume × 10 − 10000; for the others −10000 at 0 and below, volume × 5 −
// 5000 up to 1000, and 0 above.
int32_t EffectiveVolumeOf(int32_t volume, bool midi);

class TRivoMixer {
 public:
  virtual ~TRivoMixer() = default;
  // One tick at game time now; true once the ramp is complete.
  bool Step(int32_t now_ms);
  virtual bool FadesIn() const = 0;

 protected:
  TRivoMixer(TDMediaItem& item, bool midi, int32_t duration_ms) : item_(item), midi_(midi), duration_(duration_ms) {}
  // The first step: the item's starting state, and start_ and target_.
  virtual void Begin() = 0;
  // The part of start_ … target_ that is audible.
  virtual void AudibleRange(int64_t& from, int64_t& to) const = 0;
  // The ramp has run its time.
  virtual void Complete() {}

  TDMediaItem& item_;
  const bool midi_;
  int32_t start_ = 0;
  int32_t target_ = 0;

 private:
  bool started_ = false;
  int32_t start_time_ = 0;
  const int32_t duration_;
};

class TRivoMixerFadein final : public TRivoMixer {
 public:
  TRivoMixerFadein(TDMediaItem& item, bool midi, int32_t target, int32_t duration_ms)
      : TRivoMixer(item, midi, duration_ms) {
    target_ = target;
  }
  bool FadesIn() const override { return true; }

 private:
  // Silent, then playing.
  void Begin() override;
  void AudibleRange(int64_t& from, int64_t& to) const override;
  void Complete() override { item_.SetVol(target_); }
};

class TRivoMixerFadeout final : public TRivoMixer {
 public:
  TRivoMixerFadeout(TDMediaItem& item, bool midi, int32_t duration_ms) : TRivoMixer(item, midi, duration_ms) {}
  bool FadesIn() const override { return false; }

 private:
  void Begin() override;
  void AudibleRange(int64_t& from, int64_t& to) const override;
};

}  // namespace rivo

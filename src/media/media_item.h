#pragma once
// TDMediaItem: one playing sound or movie, the interface every player kind
// shares (the sound component and the media commands see only this). The
// base answers 0/false and ignores writes. The end of playback is reported
// by IsEnd exactly once per run-out for every kind: the latch lives here,
// and SetPosition clears it, so a sound played again reports its next end.

#include <cstdint>

namespace rivo {

class TMediaManager;

class TDMediaItem {
 public:
  virtual ~TDMediaItem() = default;

  virtual bool GetAutoRepeat() { return false; }
  virtual void SetAutoRepeat(bool) {}
  virtual int32_t GetRepeatPos() { return 0; }
  virtual void SetRepeatPos(int32_t) {}  // ms where a repeating item goes on
  virtual int32_t GetPan() { return 0; }
  virtual int32_t GetVol() { return 0; }
  virtual void SetPan(int32_t) {}
  virtual void SetVol(int32_t) {}  // hundredths of a decibel, 0 = full
  virtual int32_t GetPosition() { return 0; }
  void SetPosition(int32_t ms);  // negative taken as 0
  virtual int32_t GetLen() { return 0; }
  // True once after playback has run out.
  bool IsEnd();
  virtual bool IsPlaying() { return false; }
  virtual bool IsPaused() { return false; }
  // While the item's manager is disabled (sound off), Play only marks the
  // item, so that it starts when sound comes back on.
  void Play();
  // Also forgets a mark of suspension: a sound the scenario paused stays
  // paused when sound comes back on.
  void Pause();

  // Playback has run out and was not restarted (IsEnd without the latch).
  virtual bool HasRunOut() { return false; }

 protected:
  virtual void DoPlay() {}
  virtual void DoPause() {}
  virtual void DoSetPosition(int32_t) {}

 private:
  friend class TMediaManager;
  TMediaManager* manager_ = nullptr;
  bool end_reported_ = false;
  bool suspended_ = false;  // paused by the manager, to be played on Resume
};

}  // namespace rivo

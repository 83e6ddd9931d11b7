#pragma once
// TMidiItem: a MIDI file played by the manager's one sequencer. The item
// that plays owns the sequencer: it loads its file when it takes it over,
// and the item it took it from remembers where it was, so that playing
// that one again resumes there. An item that does not own the sequencer
// reports not playing, not ended, and its remembered position.

#include <string>

#include "media/media_item.h"

namespace rivo {

class TMidiManager;

class TMidiItem final : public TDMediaItem {
 public:
  TMidiItem(TMidiManager& manager, std::string name);
  ~TMidiItem() override;

  bool GetAutoRepeat() override;
  void SetAutoRepeat(bool repeat) override;
  int32_t GetVol() override { return volume_; }
  // −10000 … 0 hundredths of a decibel: controller 7 scaled 0 … 100 %.
  void SetVol(int32_t volume) override;
  int32_t GetPosition() override;
  int32_t GetLen() override;
  bool IsPlaying() override;
  bool IsPaused() override { return paused_; }
  bool HasRunOut() override;

  // The sequencer was taken over by another item: remember where it was.
  void LoseSequencer(int32_t position);

 protected:
  void DoPlay() override;
  void DoPause() override;
  void DoSetPosition(int32_t ms) override;

 private:
  bool Owns() const;
  int32_t VolumeScale() const { return volume_ / 100 + 100; }

  TMidiManager& manager_;
  const std::string name_;
  int32_t position_ = 0;  // remembered while paused or not owning
  int32_t volume_ = 0;
  int32_t length_ = -1;   // learned once for an item that never played
  bool repeat_ = false;
  bool started_ = false;
  bool paused_ = false;
};

}  // namespace rivo

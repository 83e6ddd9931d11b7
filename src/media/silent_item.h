#pragma once
// TSilentItem: an item that plays nothing: a CD track the game has no
// ripped copy of. It has
// length 0 and runs out as soon as it is played, so a script that waits
// for its end goes on.

#include "media/media_item.h"

namespace rivo {

class TSilentItem final : public TDMediaItem {
 public:
  bool GetAutoRepeat() override { return repeat_; }
  void SetAutoRepeat(bool repeat) override { repeat_ = repeat; }
  int32_t GetVol() override { return volume_; }
  void SetVol(int32_t volume) override { volume_ = volume; }
  bool HasRunOut() override { return played_; }

 protected:
  void DoPlay() override { played_ = true; }

 private:
  bool played_ = false;
  bool repeat_ = false;
  int32_t volume_ = 0;
};

}  // namespace rivo

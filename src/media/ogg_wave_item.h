#pragma once
// TOggWaveItem: an ogg or wave sound played through the player's own wave
// output (DirectSound off in "game.ini"). Volume −5000 … 0 maps linearly to
// the output's 0 … 256; positions convert between ms and source bytes at
// the source's own rate.

#include <memory>

#include "media/media_item.h"
#include "media/wav_out.h"

namespace rivo {

class TOggWaveItem final : public TDMediaItem {
 public:
  // decoded: the file's PCM; a format the wave output does not play as it
  // stands is converted to 44,100 Hz 16-bit stereo first (left as it was,
  // such a sound would never play and never end).
  TOggWaveItem(std::unique_ptr<PcmStream> decoded, std::shared_ptr<TWavOut> output);
  ~TOggWaveItem() override;

  bool GetAutoRepeat() override { return buffer_->Looping; }
  void SetAutoRepeat(bool repeat) override { buffer_->Looping = repeat; }
  int32_t GetRepeatPos() override { return repeat_pos_; }
  void SetRepeatPos(int32_t ms) override;
  int32_t GetVol() override { return volume_; }
  void SetVol(int32_t volume) override;
  int32_t GetPosition() override;
  int32_t GetLen() override;
  bool IsPlaying() override;
  bool IsPaused() override { return buffer_->Paused(); }
  // A repeating sound whose data ran out is started again here.
  bool HasRunOut() override;

 protected:
  void DoPlay() override { buffer_->Play(); }
  void DoPause() override { buffer_->Pause(); }
  void DoSetPosition(int32_t ms) override;

 private:
  std::unique_ptr<PcmStream> source_;
  std::shared_ptr<TWavOut> output_;
  TWavBuffer* buffer_;
  const int64_t length_bytes_;  // read once: the feeder thread owns the source afterwards
  int32_t repeat_pos_ = 0;
  int32_t volume_ = 0;
};

}  // namespace rivo

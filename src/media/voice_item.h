#pragma once
// TVoiceItem: a sound played by a voice of the mixer, the default player
// of ogg and wave files (the DirectSound path of "game.ini"), of Windows
// Media audio and of ripped CD tracks. Volume and pan are in hundredths of
// a decibel.

#include <memory>

#include "media/audio_mixer.h"
#include "media/media_item.h"
#include "media/voice.h"

namespace rivo {

class TVoiceItem final : public TDMediaItem {
 public:
  // decoded: the file's PCM in any format (it is converted for the mixer).
  TVoiceItem(std::unique_ptr<PcmStream> decoded, AudioMixer& mixer);
  ~TVoiceItem() override;

  bool GetAutoRepeat() override { return repeat_; }
  void SetAutoRepeat(bool repeat) override;
  int32_t GetRepeatPos() override { return repeat_pos_; }
  void SetRepeatPos(int32_t ms) override;
  int32_t GetPan() override { return pan_; }
  int32_t GetVol() override { return volume_; }
  void SetPan(int32_t pan) override;
  void SetVol(int32_t volume) override;
  int32_t GetPosition() override;
  int32_t GetLen() override;
  bool IsPlaying() override;
  bool IsPaused() override { return voice_->Paused(); }
  bool HasRunOut() override;

  int64_t LengthFrames() const { return voice_->LengthFrames(); }

 protected:
  void DoPlay() override;
  void DoPause() override { voice_->Pause(); }
  void DoSetPosition(int32_t ms) override;

 private:
  AudioMixer& mixer_;
  std::shared_ptr<Voice> voice_;
  // Nothing pulls samples (no sound device): the item plays nothing and
  // runs out as soon as it is played, so that nothing waits for it forever.
  const bool silent_;
  bool played_ = false;
  bool repeat_ = false;
  int32_t repeat_pos_ = 0;
  int32_t volume_ = 0;
  int32_t pan_ = 0;
};

}  // namespace rivo

#pragma once
// TRivoSound: the sound component. It plays one media item of the media
// system (the manager chosen by the file name), with fades, repeat, pause
// and mute, and raises PR_ONPLAYEND once when the sound has run out (or
// goes away without an event with PR_AUTOSCRAP). Stopping with a fade-out
// renames the sound to 0x01 "SCRAP_" + its name, so a new sound of the same
// name can start while the old one fades.

#include <memory>
#include <string>

#include "media/media_item.h"
#include "media/media_manager.h"
#include "objects/rivo_mixer_fade.h"
#include "objects/rivo_object.h"

namespace rivo {

class TRivoSound : public TRivoComponent {
 public:
  explicit TRivoSound(TRivoBaseList& owner) : TRivoComponent(owner) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  int32_t GetCompoType() const override { return LT_SOUND; }

  int32_t GetPlayState() const override { return play_state_; }
  void SetPlayState(int32_t state) override;
  void Rewind() override;

  const std::string& GetSource() const { return source_; }
  void SetSource(std::string_view source) { source_ = source; }
  bool GetRepeat() const { return repeat_; }
  void SetRepeat(bool on);
  int32_t GetRepeatPos() const { return repeat_pos_; }
  void SetRepeatPos(int32_t ms);
  int32_t GetVolume() const { return volume_; }
  void SetVolume(int32_t volume);
  int32_t GetBalance() const { return balance_; }
  void SetBalance(int32_t balance);
  int32_t GetFadeTime() const { return fade_time_; }
  void SetFadeTime(int32_t ms) { fade_time_ = ms; }
  bool GetPaused() const { return paused_; }
  void SetPaused(bool on);
  bool GetMuted() const { return muted_; }
  void SetMuted(bool on);
  bool GetAutoScrap() const { return auto_scrap_; }
  void SetAutoScrap(bool on) { auto_scrap_ = on; }
  const std::string& GetOnPlayEnd() const { return on_play_end_; }
  void SetOnPlayEnd(std::string_view page) { on_play_end_ = page; }
  bool GetRewindOnLoad() const { return rewind_on_load_; }
  void SetRewindOnLoad(bool on) { rewind_on_load_ = on; }
  bool GetMuteOnLoad() const { return mute_on_load_; }
  void SetMuteOnLoad(bool on) { mute_on_load_ = on; }
  int32_t GetIndex() const;
  void SetIndex(int32_t ms);
  int32_t GetCount() const;
  bool GetPlaying() const;

  // What SetVol gets: MIDI Volume × 10 − 10000; the others −10000 at 0 and
  // below, Volume × 5 − 5000 up to 1000, and 0 above.
  int32_t EffectiveVolume() const;
  TDMediaItem* Item() const { return item_; }

  bool Tick() override;
  void Destroying() override;
  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

 private:
  bool IsMidi() const;
  void StartFadeIn();
  void DropItem();

  std::string source_;
  int32_t play_state_ = LP_STOP;
  bool repeat_ = false;
  int32_t repeat_pos_ = 0;
  int32_t volume_ = 1000;
  int32_t balance_ = 0;
  int32_t fade_time_ = 0;
  bool paused_ = false;
  bool muted_ = false;
  bool auto_scrap_ = false;
  bool ended_ = false;
  bool rewind_on_load_ = false;
  bool mute_on_load_ = false;
  std::string on_play_end_;
  int32_t stored_position_ = 0;
  TMediaManager* manager_ = nullptr;
  TDMediaItem* item_ = nullptr;  // owned by manager_
  std::unique_ptr<TRivoMixer> ramp_;
};

}  // namespace rivo

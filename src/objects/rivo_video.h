#pragma once
// TRivoVideo (LT_VIDEO): the movie control, an image control whose picture
// is the movie's current frame, taken from the movie item at most every
// 32 ms; the control takes the movie's size times its zoom. Play states,
// fades, pause and the end event work as for sounds. In overlay mode the
// movie is a picture of its own placed at the control's rectangle (here
// drawn there as well, the screen having no window of its own to give it).

#include <memory>
#include <string>

#include "media/movie_item.h"
#include "objects/rivo_custom_image.h"
#include "objects/rivo_mixer_fade.h"

namespace rivo {

class TRivoVideo : public TRivoCustomImage {
 public:
  explicit TRivoVideo(TRivoBaseList& owner) : TRivoCustomImage(owner) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  int32_t GetCompoType() const override { return LT_VIDEO; }

  int32_t GetPlayState() const override { return play_state_; }
  void SetPlayState(int32_t state) override;
  void Rewind() override;

  const std::string& GetSource() const { return source_; }
  void SetSource(std::string_view source) { source_ = source; }
  bool GetRepeat() const { return repeat_; }
  void SetRepeat(bool on);
  int32_t GetVolume() const { return volume_; }
  void SetVolume(int32_t volume);
  int32_t GetBalance() const { return balance_; }
  void SetBalance(int32_t balance);
  int32_t GetFadeTime() const { return fade_time_; }
  void SetFadeTime(int32_t ms) { fade_time_ = ms; }
  bool GetPaused() const { return paused_; }
  void SetPaused(bool on);
  bool GetAnimationPaused() const { return animation_paused_; }
  void SetAnimationPaused(bool on);
  bool IsPaused() const override { return paused_ || animation_paused_; }
  bool GetOverlay() const { return overlay_; }
  // Restarts the movie where it was, made for the new mode.
  void SetOverlay(bool on);
  bool GetAutoScrap() const { return auto_scrap_; }
  void SetAutoScrap(bool on) { auto_scrap_ = on; }
  const std::string& IdlePage() const override { return OnIdle; }
  int32_t GetIndex() const;
  void SetIndex(int32_t ms);
  int32_t GetCount() const { return item_ ? item_->GetLen() : 0; }
  bool GetPlaying() const;
  TMovieItem* Item() const { return item_; }

  std::string OnPlayEnd, OnIdle;

  bool Tick() override;
  void Draw(TCustomDIBX& surface) override;
  // A film draws its frames in its own way.
  bool FillsOpaquely() const override { return false; }
  void Destroying() override;

 private:
  void DropItem();
  void ApplyPause();
  void StartFadeIn();
  int32_t EffectiveVolume() const { return EffectiveVolumeOf(volume_, false); }

  std::string source_;
  int32_t play_state_ = LP_STOP;
  bool repeat_ = false;
  int32_t volume_ = 1000;
  int32_t balance_ = 0;
  int32_t fade_time_ = 0;
  bool paused_ = false;
  bool animation_paused_ = false;
  bool overlay_ = false;
  bool auto_scrap_ = false;
  bool end_handled_ = false;
  int32_t stored_position_ = 0;
  int32_t last_paint_ms_ = 0;
  TMovieItem* item_ = nullptr;  // owned by the video manager
  std::unique_ptr<TRivoMixer> ramp_;
};

}  // namespace rivo

#include "objects/rivo_video.h"

#include <algorithm>
#include <cstring>

#include "common/error.h"
#include "media/media_system.h"
#include "objects/rivo_base_list.h"

namespace rivo {

namespace {
// The picture is handed over at most this often.
constexpr int32_t kPaintIntervalMs = 32;
}  // namespace

const PropertyAccessors& TRivoVideo::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoCustomImage::ClassProperties();
    t.Add<&TRivoVideo::GetSource, &TRivoVideo::SetSource>(PR_SOURCE);
    t.Add<&TRivoVideo::GetRepeat, &TRivoVideo::SetRepeat>(PR_REPEAT);
    t.Add<&TRivoVideo::GetVolume, &TRivoVideo::SetVolume>(PR_VOLUME);
    t.Add<&TRivoVideo::GetBalance, &TRivoVideo::SetBalance>(PR_BALANCE);
    t.Add<&TRivoVideo::GetFadeTime, &TRivoVideo::SetFadeTime>(PR_DELAY);
    t.Add<&TRivoVideo::GetPaused, &TRivoVideo::SetPaused>(PR_PAUSED);
    t.Add<&TRivoVideo::GetAnimationPaused, &TRivoVideo::SetAnimationPaused>(PR_ANIPAUSED);
    t.Add<&TRivoVideo::GetOverlay, &TRivoVideo::SetOverlay>(PR_OVERLAY);
    t.Add<&TRivoVideo::GetAutoScrap, &TRivoVideo::SetAutoScrap>(PR_AUTOSCRAP);
    t.Data<&TRivoVideo::OnPlayEnd>(PR_ONPLAYEND);
    t.Data<&TRivoVideo::OnIdle>(PR_ONIDLE);
    t.Add<&TRivoVideo::GetIndex, &TRivoVideo::SetIndex>(PR_INDEX);
    t.Get<&TRivoVideo::GetCount>(PR_COUNT);
    t.Get<&TRivoVideo::GetPlaying>(PR_PLAYING);
    return t;
  }();
  return table;
}

void TRivoVideo::DropItem() {
  ramp_.reset();
  if (item_) Owner().Media()->Video().Remove(item_);
  item_ = nullptr;
}

void TRivoVideo::StartFadeIn() {
  if (!paused_ && !animation_paused_)
    ramp_ = std::make_unique<TRivoMixerFadein>(*item_, false, EffectiveVolume(), fade_time_);
}

void TRivoVideo::SetPlayState(int32_t state) {
  ramp_.reset();
  end_handled_ = false;
  if (state == LP_PLAYFADE && fade_time_ <= 0) state = LP_PLAY;
  play_state_ = state;
  if ((state == LP_PLAY || state == LP_PLAYFADE) && !item_) {
    TMediaSystem* media = Owner().Media();
    if (!media) return;
    if (!media->Files().Exists(source_)) {
      if (auto_scrap_) Release();
      return;
    }
    try {
      item_ = media->Video().Add(source_, !overlay_);
    } catch (const RivoError&) {
      return;  // a movie that does not decode shows nothing
    }
    const int32_t width = std::max(item_->GetSourceWidth(), 1), height = std::max(item_->GetSourceHeight(), 1);
    // The picture is the image's own surface, at the movie's size.
    Surface.SetSize(width, height, 32);
    Surface.Clear(0);
    UpdateSize();
    item_->SetPan(balance_);
    item_->SetAutoRepeat(repeat_);
    last_paint_ms_ = Owner().ElapsedMs() - kPaintIntervalMs;
  }
  switch (state) {
    case LP_STOP:
      DropItem();
      stored_position_ = 0;
      Surface.FreeImage();
      Release();
      return;
    case LP_PLAY:
      if (!item_) return;
      item_->SetAutoRepeat(repeat_);
      item_->SetVol(EffectiveVolume());
      item_->SetPosition(stored_position_);
      ApplyPause();
      return;
    case LP_PLAYFADE:
      if (!item_) return;
      item_->SetAutoRepeat(repeat_);
      item_->SetPosition(stored_position_);
      StartFadeIn();
      return;
    case LP_STOPFADE:
      if (!item_) {
        Release();
        return;
      }
      ramp_ = std::make_unique<TRivoMixerFadeout>(*item_, false, fade_time_);
      stored_position_ = 0;
      if (!GetName().empty() && !HasSystemName()) SetName("\x01SCRAP_" + GetName());
      return;
    default: return;
  }
}

void TRivoVideo::ApplyPause() {
  if (!item_) return;
  if (paused_ || animation_paused_) {
    item_->Pause();
  } else {
    if (!ramp_) item_->SetVol(EffectiveVolume());
    item_->Play();
  }
}

void TRivoVideo::Rewind() {
  stored_position_ = 0;
  paused_ = false;
  end_handled_ = false;
  if (!item_) {
    SetPlayState(LP_PLAYFADE);
    return;
  }
  play_state_ = LP_PLAYFADE;
  ramp_.reset();
  item_->SetPosition(0);
  if (fade_time_ <= 0) {
    item_->SetVol(EffectiveVolume());
    ApplyPause();
  } else {
    item_->Pause();
    StartFadeIn();
  }
}

void TRivoVideo::SetRepeat(bool on) {
  repeat_ = on;
  if (item_) item_->SetAutoRepeat(on);
}

void TRivoVideo::SetVolume(int32_t volume) {
  volume_ = volume;
  if (item_ && !ramp_) item_->SetVol(EffectiveVolume());
}

void TRivoVideo::SetBalance(int32_t balance) {
  balance_ = std::clamp(balance, -10000, 10000);
  if (item_) item_->SetPan(balance_);
}

void TRivoVideo::SetPaused(bool on) {
  paused_ = on;
  ramp_.reset();
  ApplyPause();
}

void TRivoVideo::SetAnimationPaused(bool on) {
  animation_paused_ = on;
  ramp_.reset();
  ApplyPause();
}

void TRivoVideo::SetOverlay(bool on) {
  if (on == overlay_) return;
  overlay_ = on;
  if (!item_ || play_state_ == LP_STOPFADE) return;
  // The movie is made again for the other mode and goes on where it was.
  stored_position_ = item_->GetPosition();
  const int32_t state = play_state_;
  DropItem();
  SetPlayState(state == LP_PLAYFADE ? LP_PLAY : state);
}

int32_t TRivoVideo::GetIndex() const { return item_ ? item_->GetPosition() : 0; }

void TRivoVideo::SetIndex(int32_t ms) {
  stored_position_ = ms;
  if (!item_) return;
  item_->SetPosition(ms);
  end_handled_ = false;
}

bool TRivoVideo::GetPlaying() const {
  if (!item_ || paused_ || animation_paused_) return false;
  return repeat_ || item_->GetPosition() < item_->GetLen() - 1;
}

bool TRivoVideo::Tick() {
  TRivoCustomImage::Tick();
  if (ramp_ && ramp_->Step(Owner().ElapsedMs())) {
    const bool faded_out = !ramp_->FadesIn();
    ramp_.reset();
    if (faded_out) return true;
  }
  if (!item_) return false;
  if (overlay_) {
    const TRect r = GetScreenRect();
    item_->SetVisible(IsVisible());
    item_->SetRect({0, 0, item_->GetSourceWidth(), item_->GetSourceHeight()}, {r.Left, r.Top, r.Right, r.Bottom});
  }
  const int32_t now = Owner().ElapsedMs();
  if (item_->NeedPaint() && now - last_paint_ms_ >= kPaintIntervalMs) {
    last_paint_ms_ = now;
    Invalidate();
  }
  if (!end_handled_ && item_->IsEnd()) {
    end_handled_ = true;
    if (auto_scrap_) return true;
    RaiseEvent(OnPlayEnd, PR_ONPLAYEND);
  }
  return false;
}

void TRivoVideo::Draw(TCustomDIBX& surface) {
  if (item_ && item_->NeedPaint()) {
    const std::vector<uint32_t>& pixels = item_->TakeFrame();
    const int32_t width = Surface.Width(), height = Surface.Height();
    if (pixels.size() >= static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
      for (int32_t y = 0; y < height; ++y)
        std::memcpy(Surface.Store().ScanLine(y), pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
                    static_cast<std::size_t>(width) * 4);
    }
  }
  TRivoCustomImage::Draw(surface);
}

void TRivoVideo::Destroying() {
  DropItem();
  TRivoCustomImage::Destroying();
}

}  // namespace rivo

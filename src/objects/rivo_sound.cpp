#include "objects/rivo_sound.h"

#include <algorithm>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "media/media_kind.h"
#include "media/media_system.h"
#include "objects/rivo_base_list.h"

namespace rivo {

const PropertyAccessors& TRivoSound::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoComponent::ClassProperties();
    t.Add<&TRivoSound::GetSource, &TRivoSound::SetSource>(PR_SOURCE);
    t.Add<&TRivoSound::GetRepeat, &TRivoSound::SetRepeat>(PR_REPEAT);
    t.Add<&TRivoSound::GetRepeatPos, &TRivoSound::SetRepeatPos>(PR_REPEATPOS);
    t.Add<&TRivoSound::GetVolume, &TRivoSound::SetVolume>(PR_VOLUME);
    t.Add<&TRivoSound::GetBalance, &TRivoSound::SetBalance>(PR_BALANCE);
    t.Add<&TRivoSound::GetFadeTime, &TRivoSound::SetFadeTime>(PR_DELAY);
    t.Add<&TRivoSound::GetPaused, &TRivoSound::SetPaused>(PR_PAUSED);
    t.Add<&TRivoSound::GetMuted, &TRivoSound::SetMuted>(PR_ANIPAUSED);
    t.Add<&TRivoSound::GetAutoScrap, &TRivoSound::SetAutoScrap>(PR_AUTOSCRAP);
    t.Add<&TRivoSound::GetOnPlayEnd, &TRivoSound::SetOnPlayEnd>(PR_ONPLAYEND);
    t.Add<&TRivoSound::GetRewindOnLoad, &TRivoSound::SetRewindOnLoad>(PR_REWINDONLOAD);
    t.Add<&TRivoSound::GetMuteOnLoad, &TRivoSound::SetMuteOnLoad>(PR_MUTEONLOAD);
    t.Add<&TRivoSound::GetIndex, &TRivoSound::SetIndex>(PR_INDEX);
    t.Get<&TRivoSound::GetCount>(PR_COUNT);
    t.Get<&TRivoSound::GetPlaying>(PR_PLAYING);
    return t;
  }();
  return table;
}

bool TRivoSound::IsMidi() const { return MediaKindOf(source_) == MediaKind::kMidi; }

int32_t TRivoSound::EffectiveVolume() const { return EffectiveVolumeOf(volume_, IsMidi()); }

void TRivoSound::StartFadeIn() {
  ramp_ = std::make_unique<TRivoMixerFadein>(*item_, IsMidi(), EffectiveVolume(), fade_time_);
}

void TRivoSound::DropItem() {
  ramp_.reset();
  if (item_) manager_->Remove(item_);
  item_ = nullptr;
  manager_ = nullptr;
}

void TRivoSound::SetPlayState(int32_t state) {
  ramp_.reset();
  ended_ = false;
  if (state == LP_PLAYFADE && fade_time_ <= 0) state = LP_PLAY;
  play_state_ = state;
  if ((state == LP_PLAY || state == LP_PLAYFADE) && !item_) {
    TMediaSystem* media = Owner().Media();
    if (!media) return;
    if (source_.rfind("CD_", 0) != 0 && !media->Files().Exists(source_)) {
      if (auto_scrap_) Release();
      return;
    }
    TMediaManager* manager = media->ManagerFor(source_);
    if (!manager) return;
    try {
      item_ = manager->Add(source_);
    } catch (const RivoError&) {
      return;  // a file that does not decode plays nothing
    }
    manager_ = manager;
    item_->SetPan(balance_);
    item_->SetAutoRepeat(repeat_);
    item_->SetRepeatPos(repeat_pos_);
  }
  switch (state) {
    case LP_STOP:
      DropItem();
      stored_position_ = 0;
      Release();
      return;
    case LP_PLAY:
      if (!item_) return;
      item_->SetAutoRepeat(repeat_);
      item_->SetRepeatPos(repeat_pos_);
      item_->SetVol(EffectiveVolume());
      item_->SetPosition(stored_position_);
      if (paused_) item_->Pause();
      else item_->Play();
      return;
    case LP_PLAYFADE:
      if (!item_) return;
      item_->SetAutoRepeat(repeat_);
      item_->SetRepeatPos(repeat_pos_);
      item_->SetPosition(stored_position_);
      if (!paused_) StartFadeIn();
      return;
    case LP_STOPFADE:
      if (!item_) {
        Release();
        return;
      }
      ramp_ = std::make_unique<TRivoMixerFadeout>(*item_, IsMidi(), fade_time_);
      stored_position_ = 0;
      // The name is free at once for a new sound while this one fades.
      if (!GetName().empty() && !HasSystemName()) SetName("\x01SCRAP_" + GetName());
      return;
    default: return;
  }
}

void TRivoSound::Rewind() {
  stored_position_ = 0;
  paused_ = false;
  ended_ = false;
  if (!item_) {
    SetPlayState(LP_PLAYFADE);
    return;
  }
  play_state_ = LP_PLAYFADE;
  ramp_.reset();
  if (fade_time_ <= 0) {
    item_->SetVol(EffectiveVolume());
    item_->SetPosition(0);
    if (!item_->IsPlaying()) item_->Play();
  } else {
    item_->Pause();
    item_->SetVol(-10000);
    item_->SetPosition(0);
    StartFadeIn();
  }
}

void TRivoSound::SetRepeat(bool on) {
  repeat_ = on;
  if (!item_) return;
  item_->SetAutoRepeat(on);
  if (on && !paused_ && item_->GetPosition() >= item_->GetLen() - 1) {
    item_->SetPosition(0);
    item_->Play();
  }
}

void TRivoSound::SetRepeatPos(int32_t ms) {
  repeat_pos_ = ms;
  if (item_) item_->SetRepeatPos(ms);
}

void TRivoSound::SetVolume(int32_t volume) {
  volume_ = volume;
  if (item_ && !ramp_ && !paused_ && !muted_) item_->SetVol(EffectiveVolume());
}

void TRivoSound::SetBalance(int32_t balance) {
  balance_ = std::clamp(balance, -10000, 10000);
  if (item_) item_->SetPan(balance_);
}

// Paused or muted: the item pauses and goes silent; both clear: it plays
// again (a fading-in sound starts its fade anew).
static void ApplyPause(TRivoSound& s, TDMediaItem* item, bool paused, bool muted, int32_t play_state,
                       void (TRivoSound::*fade_in)()) {
  if (!item) return;
  if (paused || muted) {
    item->Pause();
    item->SetVol(-10000);
  } else if (play_state == LP_PLAYFADE) {
    (s.*fade_in)();
  } else {
    item->SetVol(s.EffectiveVolume());
    item->Play();
  }
}

void TRivoSound::SetPaused(bool on) {
  paused_ = on;
  ramp_.reset();
  ApplyPause(*this, item_, paused_, muted_, play_state_, &TRivoSound::StartFadeIn);
}

void TRivoSound::SetMuted(bool on) {
  muted_ = on;
  ramp_.reset();
  ApplyPause(*this, item_, paused_, muted_, play_state_, &TRivoSound::StartFadeIn);
}

int32_t TRivoSound::GetIndex() const { return item_ ? item_->GetPosition() : 0; }

void TRivoSound::SetIndex(int32_t ms) {
  stored_position_ = ms;
  if (!item_) return;
  item_->SetPosition(ms);
  ended_ = false;
  if (!paused_ && !item_->IsPlaying()) item_->Play();
}

int32_t TRivoSound::GetCount() const {
  if (item_) return item_->GetLen();
  // Without an item, one is made only to learn the length.
  TMediaSystem* media = Owner().Media();
  TMediaManager* manager = media ? media->ManagerFor(source_) : nullptr;
  if (!manager) return 0;
  try {
    TDMediaItem* probe = manager->Add(source_);
    int32_t length = probe->GetLen();
    manager->Remove(probe);
    return length;
  } catch (const RivoError&) {
    return 0;
  }
}

bool TRivoSound::GetPlaying() const { return item_ && item_->IsPlaying(); }

bool TRivoSound::Tick() {
  if (ramp_ && ramp_->Step(Owner().ElapsedMs())) {
    const bool faded_out = !ramp_->FadesIn();
    ramp_.reset();
    if (faded_out) return true;
  }
  if (!item_ || ended_ || !item_->IsEnd()) return false;
  if (repeat_) {
    item_->SetPosition(0);
    return false;
  }
  ended_ = true;
  if (auto_scrap_) return true;
  RaiseEvent(on_play_end_, PR_ONPLAYEND);
  return false;
}

void TRivoSound::Destroying() {
  DropItem();
  TRivoComponent::Destroying();
}

void TRivoSound::SaveToStream(ByteWriter& out) const {
  TRivoComponent::SaveToStream(out);
  out.String(source_);
  out.Bool(repeat_);
  out.Bool(auto_scrap_);
  out.Bool(paused_);
  out.Bool(muted_);
  out.Bool(ended_);
  out.I32(volume_);
  out.I32(balance_);
  out.I32(fade_time_);
  out.I32(GetIndex());
  // Short sounds that are not repeating or fading are not worth restoring.
  const bool keep = repeat_ || (item_ && item_->GetLen() >= 3000) || ramp_ != nullptr;
  out.U8(static_cast<uint8_t>(keep ? play_state_ : LP_STOP));
  out.String(on_play_end_);
  out.Bool(rewind_on_load_);
  out.Bool(mute_on_load_);
  out.I32(repeat_pos_);
}

void TRivoSound::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoComponent::LoadFromStream(in, version);
  source_ = in.String();
  repeat_ = in.Bool();
  auto_scrap_ = in.Bool();
  const bool paused = in.Bool();
  const bool muted = in.Bool();
  ended_ = in.Bool();
  volume_ = in.I32();
  balance_ = in.I32();
  fade_time_ = in.I32();
  const int32_t position = in.I32();
  const int32_t state = in.U8();
  on_play_end_ = in.String();
  if (version > 107) rewind_on_load_ = in.Bool();
  if (version > 128) mute_on_load_ = in.Bool();
  if (version > 137) repeat_pos_ = in.I32();
  if (mute_on_load_) volume_ = 0;
  stored_position_ = rewind_on_load_ ? 0 : position;
  // A sound saved while fading out first plays, so the fade starts from sound.
  if (state == LP_STOPFADE) {
    SetPlayState(LP_PLAY);
    SetPlayState(LP_STOPFADE);
  } else if (state != LP_STOP) {
    SetPlayState(state);
  }
  paused_ = paused;
  muted_ = muted;
  if (item_ && (paused_ || muted_)) ApplyPause(*this, item_, paused_, muted_, play_state_, &TRivoSound::StartFadeIn);
}

}  // namespace rivo

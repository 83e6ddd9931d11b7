#include "objects/rivo_button.h"

#include <algorithm>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "objects/rivo_base.h"
#include "objects/rivo_base_list.h"
#include "platform/virtual_key.h"

namespace rivo {

TRivoButton::TRivoButton(TRivoBaseList& owner) : TRivoImages(owner) {
  if (TFontPixelManager* glyphs = owner.Glyphs()) caption_ = std::make_unique<TQnLabelList>(*glyphs);
}

const PropertyAccessors& TRivoButton::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoImages::ClassProperties();
    t.Add<&TRivoButton::GetHoverSource, &TRivoButton::SetHoverSource>(PR_HOVERSOURCE);
    t.Add<&TRivoButton::GetPressedSource, &TRivoButton::SetPressedSource>(PR_PRESSEDSOURCE);
    t.Add<&TRivoButton::GetClickedSource, &TRivoButton::SetClickedSource>(PR_CLICKEDSOURCE);
    t.Add<&TRivoButton::GetRepeat, &TRivoImages::SetRepeat>(PR_REPEAT);
    t.Add<&TRivoButton::GetGroupIndex, &TRivoButton::SetGroupIndex>(PR_GROUPINDEX);
    t.Add<&TRivoButton::GetSelected, &TRivoButton::SetSelected>(PR_SELECTED);
    t.Add<&TRivoButton::GetAllowAllUp, &TRivoButton::SetAllowAllUp>(PR_ALLOWALLUP);
    t.Data<&TRivoButton::OnNotify>(PR_ONNOTIFY);
    t.Add<&TRivoButton::GetText, &TRivoButton::SetText>(PR_TEXT);
    t.Add<&TRivoButton::GetFontName, &TRivoButton::SetFontName>(PR_FONTNAME);
    t.Add<&TRivoButton::GetFontHeight, &TRivoButton::SetFontHeight>(PR_FONTHEIGHT);
    t.Add<&TRivoButton::GetFontStyle, &TRivoButton::SetFontStyle>(PR_FONTSTYLE);
    t.Add<&TRivoButton::GetFontColor, &TRivoButton::SetFontColor>(PR_FONTCOLOR);
    t.Add<&TRivoButton::GetAntialias, &TRivoButton::SetAntialias>(PR_ANTIALIAS);
    return t;
  }();
  return table;
}

// --- states

void TRivoButton::ShowState(int32_t state) {
  Invalidate();
  state_ = state;
  if (state == kClicked) state_after_click_ = 0;
  SetShownState(std::clamp(state, 0, kMaxStates - 1));
  DropPicture();
  SetIndex(0);
}

void TRivoButton::SetState(int32_t state) {
  if (state_ == kClicked) {
    state_after_click_ = state;
    return;
  }
  if (state == state_) return;
  if (state > 0 && (state >= kMaxStates || StateList(state).IsEmpty())) return;
  ShowState(state);
}

bool TRivoButton::AnimationEnded() {
  if (state_ != kClicked) return false;
  if (AutoScrap) return true;
  RaiseEvent(OnPlayEnd, PR_ONPLAYEND);
  const int32_t after = state_after_click_;
  ShowState(after > 0 && after < kMaxStates && !StateList(after).IsEmpty() ? after : kNormal);
  return false;
}

bool TRivoButton::Tick() {
  if (press_state_ == -1) return true;
  return TRivoImages::Tick();
}

// --- the mouse and keys

bool TRivoButton::UnderMouse() {
  TRivoBase* base = GetBase();
  return base && base->HitTest(base->MouseX, base->MouseY, kHitForLeftPress) == this;
}

void TRivoButton::MouseMove() {
  if (press_state_ == 0) {
    if (IsPaused() || selected_) SetState(selected_ ? kPressed : kNormal);
    else SetState(kHover);
    TRivoImages::MouseMove();
  } else if (press_state_ == 1) {
    SetState(!selected_ && !UnderMouse() ? kNormal : kPressed);
  }
}

void TRivoButton::MouseOut(TRivoObject* next) {
  if (state_ != kClicked) SetState(selected_ ? kPressed : kNormal);
  TRivoImages::MouseOut(next);
}

void TRivoButton::MouseLeftDown() {
  TRivoBase* base = GetBase();
  if (!base || (GetIgnoreMouse() != IM_NONE && GetIgnoreMouse() != IM_RCLICK)) {
    TRivoImages::MouseLeftDown();
    return;
  }
  if (!IsPaused() && state_ != kClicked) {
    base->Capture |= TRivoBase::kLeftCaptureBit;
    SetState(kPressed);
    press_state_ = 1;
  }
  base->LeftClick = false;  // consumed; buttons raise no PR_ONLBTNDOWN
}

void TRivoButton::MouseLeftUp() {
  if (press_state_ == 1 && UnderMouse() && Click()) return;
  press_state_ = 0;
  if (group_index_ == 0 && state_ != kClicked) SetState(kNormal);
}

void TRivoButton::KeyRepeat(std::span<const int32_t> codes) {
  if (std::ranges::any_of(codes, [](int32_t c) { return c == vk::kReturn || c == vk::kSpace; }) && Click()) return;
  TRivoImages::KeyRepeat(codes);
}

bool TRivoButton::Click() {
  RaiseEvent(OnNotify, PR_ONNOTIFY);
  if (group_index_ == 0) {
    SetState(kClicked);
    if (state_ != kClicked && AutoScrap) {
      press_state_ = -1;  // gone at the next update
      return true;
    }
  } else if (allow_all_up_ || !selected_) {
    SetSelected(!selected_);
  }
  return false;
}

// --- groups

void TRivoButton::SetSelectedInGroup(bool v) {
  selected_ = v;
  SetState(v ? kPressed : kNormal);
}

void TRivoButton::SetSelected(bool v) {
  if (v == selected_ || (v && group_index_ == 0)) return;
  SetSelectedInGroup(v);
  UpdateGroup();
}

void TRivoButton::SetGroupIndex(int32_t v) {
  group_index_ = v;
  UpdateGroup();
}

void TRivoButton::SetAllowAllUp(bool v) {
  if (Parent()) {
    for (TRivoControl* sibling : Parent()->Children())
      if (auto* button = dynamic_cast<TRivoButton*>(sibling); button && button->group_index_ == group_index_)
        button->allow_all_up_ = v;
  }
  allow_all_up_ = v;
  UpdateGroup();
}

void TRivoButton::UpdateGroup() {
  if (group_index_ == 0) return;
  std::vector<TRivoButton*> group;
  if (Parent()) {
    for (TRivoControl* sibling : Parent()->Children())
      if (auto* button = dynamic_cast<TRivoButton*>(sibling); button && button->group_index_ == group_index_)
        group.push_back(button);
  } else {
    group.push_back(this);
  }
  TRivoButton* chosen = selected_ ? this : nullptr;
  for (TRivoButton* button : group)
    if (!chosen && button->selected_) chosen = button;
  if (!chosen && !allow_all_up_) chosen = group.front();
  for (TRivoButton* button : group)
    if (button->selected_ != (button == chosen)) button->SetSelectedInGroup(button == chosen);
}

// --- the caption

void TRivoButton::CaptionChanged() {
  if (!caption_) return;
  Invalidate();
  caption_->Clear();
  if (!text_.empty()) caption_->Add(text_);
  Invalidate();
}

void TRivoButton::SetText(std::string_view text) {
  text_ = text;
  CaptionChanged();
}

std::string TRivoButton::GetFontName() const { return caption_ ? caption_->FontName : std::string(); }
int32_t TRivoButton::GetFontHeight() const { return caption_ ? caption_->FontHeight : 0; }
int32_t TRivoButton::GetFontStyle() const { return caption_ ? caption_->Style : 0; }
int32_t TRivoButton::GetFontColor() const { return caption_ ? caption_->FontColor : 0; }
bool TRivoButton::GetAntialias() const { return caption_ && caption_->AntialiasLevel > 0; }

void TRivoButton::SetFontName(std::string_view name) {
  if (caption_) caption_->FontName = name;
  CaptionChanged();
}

void TRivoButton::SetFontHeight(int32_t v) {
  if (caption_) caption_->FontHeight = v;
  CaptionChanged();
}

void TRivoButton::SetFontStyle(int32_t v) {
  if (caption_) caption_->Style = static_cast<uint8_t>(v);
  CaptionChanged();
}

void TRivoButton::SetFontColor(int32_t v) {
  if (caption_) caption_->FontColor = v;
  CaptionChanged();
}

void TRivoButton::SetAntialias(bool v) {
  if (caption_) caption_->AntialiasLevel = v ? 3 : 0;
  CaptionChanged();
}

void TRivoButton::DrawOverPicture(TCustomDIBX& target) {
  if (!caption_ || caption_->Count() == 0) return;
  const TQnLabelDIB& label = caption_->Item(0);
  // Centred (halves toward zero); pressed and clicked buttons sink by a pixel.
  const int32_t sink = state_ == kPressed || state_ == kClicked ? 1 : 0;
  caption_->Draw(target, 0, AbsLeft() + (GetWidth() - label.Width) / 2 + sink,
                 AbsTop() + (GetHeight() - label.Height) / 2 + sink);
}

// --- saving

void TRivoButton::SaveToStream(ByteWriter& out) const {
  if (!caption_) throw RivoError("TRivoButton: a button record needs the screen's glyph cache");
  TRivoImages::SaveToStream(out);
  out.String(GetHoverSource());
  out.String(GetPressedSource());
  out.I32(group_index_);
  out.Bool(selected_);
  out.Bool(allow_all_up_);
  out.String(OnNotify);
  out.String(OnIdle);
  out.String(GetClickedSource());
  caption_->SaveToStream(out);
}

void TRivoButton::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoImages::LoadFromStream(in, version);
  SetHoverSource(in.String());
  SetPressedSource(in.String());
  group_index_ = in.I32();
  const bool selected = in.Bool();
  allow_all_up_ = in.Bool();
  OnNotify = in.String();
  if (version > 103) {
    OnIdle = in.String();
    SetClickedSource(in.String());
  }
  if (version > 136) {
    if (!caption_) throw RivoError("TRivoButton: a button record needs the screen's glyph cache");
    caption_->LoadFromStream(in, version);
    CaptionChanged();
  }
  SetSelected(selected);
  press_state_ = 0;
  ApplySavedIndex();
}

}  // namespace rivo

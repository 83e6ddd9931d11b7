// A control's save record: its own fields, then its children (each with
// its type), newest layout on writing, older layouts gated by version on
// reading.

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"

namespace rivo {
namespace {

// The smallest record a saved child can have: its type byte and an empty
// object record (name length, priority).
constexpr std::size_t kMinChildBytes = 1 + 4 + 4;

bool IsSaved(const TRivoObject& object) {
  return !object.IsReleased() && object.GetCompoType() != LT_NONE && !object.HasSystemName();
}

}  // namespace

void TRivoControl::SaveToStream(ByteWriter& out) const {
  TRivoComponent::SaveToStream(out);
  for (int32_t v : {left_, top_, width_, height_, offset_x_, offset_y_}) out.I32(v);
  out.Bool(pos_zoomed_);
  for (int32_t v : {motion_x_, motion_y_, plus_x_, plus_y_, clip_left_, clip_top_, clip_width_, clip_height_})
    out.I32(v);
  out.Bool(ani_paused_);
  out.Bool(visible_);
  out.I32(color_);
  for (int32_t v : {stored_rect_.Left, stored_rect_.Top, stored_rect_.Right, stored_rect_.Bottom}) out.I32(v);
  out.U8(ignore_mouse_);
  out.String(cursor_);
  for (const std::string* page : {&OnMouseMove, &OnMouseIn, &OnMouseOut, &OnLBtnDown, &OnLBtnUp, &OnRBtnDown,
                                  &OnRBtnUp, &OnWheelDown, &OnWheelUp})
    out.String(*page);
  out.Bool(handle_key_);
  for (const std::string* page : {&OnKeyDown, &OnKeyUp, &OnKeyRepeat, &OnFocusIn, &OnFocusOut}) out.String(*page);
  int32_t count = 0;
  for (const TRivoControl* child : children_) count += IsSaved(*child) ? 1 : 0;
  out.I32(count);
  for (const TRivoControl* child : children_) {
    if (!IsSaved(*child)) continue;
    out.U8(static_cast<uint8_t>(child->GetCompoType()));
    child->SaveToStream(out);
  }
}

void TRivoControl::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoComponent::LoadFromStream(in, version);
  left_ = in.I32();
  top_ = in.I32();
  width_ = in.I32();
  height_ = in.I32();
  offset_x_ = in.I32();
  offset_y_ = in.I32();
  pos_zoomed_ = in.Bool();
  if (version >= 130) {
    motion_x_ = in.I32();
    motion_y_ = in.I32();
    plus_x_ = in.I32();
    plus_y_ = in.I32();
  }
  if (version > 103) {
    clip_left_ = in.I32();
    clip_top_ = in.I32();
    clip_width_ = in.I32();
    clip_height_ = in.I32();
    ani_paused_ = in.Bool();
  }
  visible_ = in.Bool();
  color_ = in.I32();
  stored_rect_.Left = in.I32();
  stored_rect_.Top = in.I32();
  stored_rect_.Right = in.I32();
  stored_rect_.Bottom = in.I32();
  ignore_mouse_ = in.U8();
  cursor_ = in.String();
  OnMouseMove = in.String();
  if (version > 101) OnMouseIn = in.String();
  for (std::string* page : {&OnMouseOut, &OnLBtnDown, &OnLBtnUp, &OnRBtnDown, &OnRBtnUp, &OnWheelDown, &OnWheelUp})
    *page = in.String();
  if (version > 117) {
    handle_key_ = in.Bool();
    for (std::string* page : {&OnKeyDown, &OnKeyUp, &OnKeyRepeat, &OnFocusIn, &OnFocusOut}) *page = in.String();
  }
  const std::size_t count = in.Count(in.I32(), kMinChildBytes);
  TRivoBaseList& owner = Owner();
  for (std::size_t i = 0; i < count; ++i) {
    const uint8_t type = in.U8();
    // A child of a kind without a class would leave the rest unreadable.
    TRivoObject* child = nullptr;
    try {
      child = &owner.CreateByType(type);
    } catch (const RivoError& e) {
      throw LoadError(in.name(), e.what());
    }
    TRivoControl* control = child->AsControl();
    if (!control) {
      owner.Free(*child);
      throw LoadError(in.name(), "a saved child is not a control");
    }
    control->SetParent(this);
    control->LoadFromStream(in, version);
  }
  SortChildren();
}

}  // namespace rivo

#include "objects/rivo_object.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"

namespace rivo {

const PropertyAccessors& TRivoObject::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t;
    t.Add<&TRivoObject::GetNameProp, &TRivoObject::SetName>(PR_NAME);
    t.Add<&TRivoObject::GetPriorityProp, &TRivoObject::SetPriority>(PR_PRIORITY);
    t.Add<&TRivoObject::GetTag, &TRivoObject::SetTag>(PR_TAG);
    t.Get<&TRivoObject::GetCompoType>(PR_COMPOTYPE);
    return t;
  }();
  return table;
}

const std::string& TRivoObject::IdlePage() const {
  static const std::string none;
  return none;
}

void TRivoObject::StoreName(std::string_view name) {
  if (name == name_) return;
  std::string old = std::move(name_);
  name_ = name;
  if (listed_) owner_->NameChanged(old, name_);
}

void TRivoObject::SetName(std::string_view name) {
  if (name == name_) return;
  // An empty name only clears this one: releasing "the object without a
  // name" would hit whatever released object happens to come first.
  if (!name.empty()) {
    if (int32_t index = owner_->IndexOfName(name); index >= 0) {
      TRivoObject& other = owner_->GetObjectAt(index);
      if (&other != this) other.Release();
    }
  }
  StoreName(name);
}

void TRivoObject::SetPriority(int32_t value) {
  if (value == priority_) return;
  priority_ = value;
  sub_priority_ = 0;
  if (TRivoControl* self = AsControl(); self && self->Parent()) {
    self->Parent()->SortChildren();
    Invalidate();
  }
}

void TRivoObject::SetSubPriority(int32_t value) {
  if (value == sub_priority_) return;
  sub_priority_ = value;
  if (TRivoControl* self = AsControl(); self && self->Parent()) {
    self->Parent()->SortChildren();
    Invalidate();
  }
}

void TRivoObject::RaiseEvent(const std::string& page, uint8_t kind, std::vector<std::string> args) {
  if (page.empty()) return;
  owner_->Events().Add(TTimerData{page, handle_, kind, 0, std::move(args)});
}

bool TRivoObject::EventWaits(uint8_t kind) const { return owner_->Events().Waits(handle_, kind); }

void TRivoObject::Release() { owner_->Release(*this); }

void TRivoObject::Free() { owner_->Free(*this); }

void TRivoObject::Destroying() { owner_->Events().RemoveWaitingOf(handle_); }

void TRivoObject::SaveToStream(ByteWriter& out) const {
  out.String(name_);
  out.I32(priority_);
  out.I32(sub_priority_);
  out.String(tag_);
}

void TRivoObject::LoadFromStream(ByteReader& in, int32_t version) {
  StoreName(in.String());
  priority_ = in.I32();
  sub_priority_ = version > 103 ? in.I32() : 0;
  if (version >= 120) tag_ = in.String();
}

}  // namespace rivo

#include "objects/rivo_images.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/sjis.h"
#include "objects/rivo_base_list.h"

namespace rivo {

bool IsLayeredImageName(std::string_view name) { return sjis::SameText(sjis::ExtractFileExt(name), ".orb"); }

const PropertyAccessors& TRivoImages::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoCustomImages::ClassProperties();
    t.Add<&TRivoImages::GetSource, &TRivoImages::SetSource>(PR_SOURCE);
    t.Add<&TRivoImages::GetRepeat, &TRivoImages::SetRepeat>(PR_REPEAT);
    t.Data<&TRivoImages::OnPlayEnd>(PR_ONPLAYEND);
    t.Data<&TRivoImages::AutoScrap>(PR_AUTOSCRAP);
    t.Data<&TRivoImages::OnIdle>(PR_ONIDLE);
    return t;
  }();
  return table;
}

void TRivoImages::LoadList(int32_t state) {
  const std::string& name = StateSource(state);
  // Film sources (".rmt") will move the control once films play; until
  // then they show nothing, like every name that is no layered image.
  if (IsLayeredImageName(name)) StateList(state).Load(Owner(), *this, name);
  else StateList(state).Clear();
}

void TRivoImages::SetStateSource(int32_t state, std::string_view name) {
  const bool shown = state == shown_state_;
  // The shown frame belongs to the list about to change.
  if (shown) DropPicture();
  sources_[static_cast<std::size_t>(state)] = name;
  LoadList(state);
  if (!shown) return;
  if (!StateList(state).IsEmpty()) SetIndex(0);
  else SetIndex(-1);
}

void TRivoImages::SetRepeat(bool v) {
  repeat_ = v;
  if (v && CurrentList() && !CurrentList()->Valid(GetIndex()) && !CurrentList()->IsEmpty()) SetIndex(0);
}

bool TRivoImages::AnimationEnded() {
  if (AutoScrap) return true;
  RaiseEvent(OnPlayEnd, PR_ONPLAYEND);
  return false;
}

void TRivoImages::ReloadLists() {
  for (int32_t state = 0; state < kMaxStates; ++state) LoadList(state);
}

void TRivoImages::ReleaseLists() {
  for (TRivoImageList& list : lists_) list.Clear();
}

void TRivoImages::SaveToStream(ByteWriter& out) const {
  TRivoCustomImages::SaveToStream(out);
  out.Bool(repeat_);
  out.Bool(AutoScrap);
  out.String(GetSource());
  out.String(OnPlayEnd);
  out.String(OnIdle);
}

void TRivoImages::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoCustomImages::LoadFromStream(in, version);
  repeat_ = in.Bool();
  AutoScrap = in.Bool();
  SetSource(in.String());
  OnPlayEnd = in.String();
  if (version > 103) OnIdle = in.String();
  ApplySavedIndex();
}

}  // namespace rivo

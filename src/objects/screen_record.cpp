// The screen's save record: its size and active base, both bases with
// their trees, the top-level objects that are not controls, the event
// queue (senders by name) and the focus.

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"

namespace rivo {
namespace {

bool IsSavedComponent(const TRivoObject& object) {
  return !object.AsControl() && !object.IsReleased() && object.GetCompoType() != LT_NONE && !object.HasSystemName();
}

// The smallest saved event entry: page, sender, kind, level, argument count.
constexpr std::size_t kMinEventBytes = 4 + 4 + 1 + 1 + 4;
constexpr std::size_t kMinObjectBytes = 1 + 4 + 4;

}  // namespace

void TRivoBaseList::SaveToStream(ByteWriter& out) const {
  out.I32(width_);
  out.I32(height_);
  out.I32(active_base_);
  BaseAt(0).SaveToStream(out);
  BaseAt(1).SaveToStream(out);
  int32_t count = 0;
  for (const auto& object : objects_) count += IsSavedComponent(*object) ? 1 : 0;
  out.I32(count);
  for (const auto& object : objects_) {
    if (!IsSavedComponent(*object)) continue;
    out.U8(static_cast<uint8_t>(object->GetCompoType()));
    object->SaveToStream(out);
  }
  SaveEvents(out);
  const TRivoControl* focus = Focus();
  out.String(focus ? focus->GetName() : std::string());
}

void TRivoBaseList::LoadFromStream(ByteReader& in, int32_t version) {
  // The screen keeps the project's size: a save of another size, or with a
  // shown base that does not exist, is not this game's.
  const int32_t width = in.I32();
  const int32_t height = in.I32();
  const int32_t active = in.I32();
  if (width != width_ || height != height_) in.Fail("screen size differs from the game's");
  if (active != 0 && active != 1) in.Fail("no such base");
  Reset();
  active_base_ = active;
  for (int32_t i = 0; i < 2; ++i) {
    TRivoBase& base = BaseAt(i);
    base.LoadFromStream(in, version);
    // The saved name of a base is its own system name again.
    base.name_ = i == 0 ? "\x01" "BASE0" : "\x01" "BASE1";
    base.InvalidateRect(Bounds(0, 0, base.GetWidth(), base.GetHeight()));
  }
  const std::size_t count = in.Count(in.I32(), kMinObjectBytes);
  for (std::size_t i = 0; i < count; ++i) {
    const uint8_t type = in.U8();
    TRivoObject* object = nullptr;
    try {
      object = &CreateByType(type);
    } catch (const RivoError& e) {
      throw LoadError(in.name(), e.what());
    }
    object->LoadFromStream(in, version);
  }
  LoadEvents(in, version);
  if (version > 118) {
    // An empty name is no focus (not the active base, as a look-up would say).
    const std::string name = in.String();
    if (TRivoControl* focus = name.empty() ? nullptr : FindControlByName(name)) {
      focus_ = focus->Handle();
      focus_dirty_ = false;
      focus->FocusGained();
    }
  }
}

ObjectHandle TRivoBaseList::SenderByName(std::string_view name) const {
  if (name == "\x01" "BASE0" || name == "\x01" "BASE1") return BaseAt(name.back() - '0').Handle();
  if (name.empty()) return {};
  const TRivoObject* object = FindObjectByName(name);
  return object ? object->Handle() : ObjectHandle{};
}

void TRivoBaseList::SaveEvents(ByteWriter& out) const {
  out.I32(events_.Count());
  for (const TTimerData& entry : events_.Entries()) {
    out.String(entry.Page);
    out.String(SenderName(entry.Sender));
    out.U8(entry.Kind);
    out.I32(entry.Level);
    out.I32(static_cast<int32_t>(entry.Args.size()));
    for (const std::string& arg : entry.Args) out.String(arg);
  }
}

void TRivoBaseList::LoadEvents(ByteReader& in, int32_t version) {
  events_.Clear();
  const std::size_t count = in.Count(in.I32(), kMinEventBytes);
  for (std::size_t i = 0; i < count; ++i) {
    TTimerData entry;
    entry.Page = in.String();
    entry.Sender = SenderByName(in.String());
    entry.Kind = in.U8();
    entry.Level = version <= 113 ? (in.U8() != 0 ? 1 : 0) : in.I32();
    const std::size_t args = in.Count(in.I32(), 4);
    for (std::size_t a = 0; a < args; ++a) entry.Args.push_back(in.String());
    events_.Add(std::move(entry));
  }
}

}  // namespace rivo

// The two sections of the save file that hold variables.
//
// A variable record is: kind byte, name, the value object, Status byte,
// Local byte, Owner int32 and a reserved byte. The records of a section are
// written walking the variables from last to first, a reference held back
// until its target's name has been written, so that a loader binding each
// reference as it reads it finds the target already there. Loading puts the
// records back in their original order, so a game that is saved and loaded
// again finds the same variable among several of one name as before.

#include <algorithm>
#include <set>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/sjis.h"
#include "script/param_collection.h"
#include "script/param_factory.h"
#include "script/param_var.h"

namespace rivo {

namespace {

// Kind byte, name length, no sizes, count, Status, Local, Owner, reserved.
constexpr std::size_t kMinRecordBytes = 1 + 4 + 4 + 4 + 1 + 1 + 4 + 1;

void WriteRecord(ByteWriter& out, const TParamCollectionItem& v) {
  out.U8(v.Param().ClassKind());
  out.String(v.Name());
  v.Param().SaveToStream(out);
  out.U8(v.Status());
  out.U8(v.Local());
  out.I32(v.Owner());
  out.U8(v.Reserved());
}

// A bound reference whose target has not been written yet.
const TParamCollectionItem* PendingTarget(const TParamCollectionItem& v) {
  const auto* ref = dynamic_cast<const TParamVar*>(&v.Param());
  return ref ? ref->Target() : nullptr;
}

}  // namespace

std::vector<const TParamCollectionItem*> TParamCollection::SectionVariables(bool status) const {
  std::vector<const TParamCollectionItem*> out;
  for (const auto& item : items_)
    if (!item->system_ && (item->status_ != 0) == status) out.push_back(item.get());
  return out;
}

void TParamCollection::SaveSection(ByteWriter& out, bool status) const {
  std::vector<const TParamCollectionItem*> remaining = SectionVariables(status);
  out.I32(static_cast<int32_t>(remaining.size()));
  std::set<std::string> written;  // upper-cased names
  bool progress = true;
  while (!remaining.empty() && progress) {
    progress = false;
    std::vector<const TParamCollectionItem*> held;
    for (auto v = remaining.rbegin(); v != remaining.rend(); ++v) {
      const TParamCollectionItem* target = PendingTarget(**v);
      if (target && !written.contains(sjis::UpperCase(target->Name()))) {
        held.push_back(*v);
        continue;
      }
      WriteRecord(out, **v);
      written.insert(sjis::UpperCase((*v)->Name()));
      progress = true;
    }
    std::reverse(held.begin(), held.end());
    remaining = std::move(held);
  }
  // References to variables outside this section (a status or system
  // variable seen from the game section, or the reverse) would wait for ever:
  // they come last.
  for (auto v = remaining.rbegin(); v != remaining.rend(); ++v) WriteRecord(out, **v);
}

std::vector<TParamCollection::LoadedRecord> TParamCollection::ReadRecords(ByteReader& in) {
  std::size_t count = in.Count(in.I32(), kMinRecordBytes);
  std::vector<LoadedRecord> loaded;
  for (std::size_t n = 0; n < count; ++n) {
    uint8_t kind = in.U8() % 128;
    std::string name = in.String();
    std::unique_ptr<TCustomParam> param = MakeParam(kind, this);
    if (!param) in.Fail("unknown variable kind " + std::to_string(kind));
    param->LoadFromStream(in);
    auto item = std::make_unique<TParamCollectionItem>(std::move(param));
    item->status_ = in.U8();
    item->local_ = in.U8();
    item->owner_ = in.I32();
    item->reserved_ = in.U8();
    if (name.empty()) continue;
    try {
      CheckVariableName(name);
    } catch (const RivoError& e) {
      in.Fail(e.what());
    }
    loaded.push_back({std::move(name), std::move(item)});
  }
  return loaded;
}

// Records come last-to-first; they join the store in the order they had.
// References bind once all are there; one whose target is missing binds when
// the target appears.
void TParamCollection::AddLoaded(std::vector<LoadedRecord> loaded) {
  std::vector<TParamVar*> references;
  for (auto v = loaded.rbegin(); v != loaded.rend(); ++v) {
    TParamCollectionItem& item = Insert(std::move(v->item), std::move(v->name));
    if (auto* ref = dynamic_cast<TParamVar*>(&item.Param())) references.push_back(ref);
  }
  for (TParamVar* ref : references) ref->BindSaved();
}

void TParamCollection::SaveGameSection(ByteWriter& out) const {
  SaveSection(out, false);
  out.I32(text_delay_);
  out.String(cursor_name_);
  out.String(sel_str_);
  out.I32(sel_index_);
  out.String(temp_target_);
}

// Everything is read before anything changes: a damaged section leaves the
// running game's variables as they were.
void TParamCollection::LoadGameSection(ByteReader& in, int32_t version) {
  std::vector<LoadedRecord> loaded = ReadRecords(in);
  int32_t text_delay = in.I32();
  std::string cursor_name = in.String();
  std::string sel_str = sel_str_;
  int32_t sel_index = sel_index_;
  if (version > 102) {
    sel_str = in.String();
    sel_index = in.I32();
  }
  // The message history of those versions kept six numbers here; the
  // history itself has since moved to its own section.
  if (version > 112 && version < 135) in.Skip(6 * 4);
  std::string temp_target = temp_target_;
  if (version > 120) temp_target = in.String();

  for (int32_t i = items_.Count() - 1; i >= 0; --i) {
    const TParamCollectionItem& item = items_[i];
    if (!item.system_ && !item.status_) DeleteAt(i);
  }
  AddLoaded(std::move(loaded));
  text_delay_ = text_delay;
  cursor_name_ = std::move(cursor_name);
  sel_str_ = std::move(sel_str);
  sel_index_ = sel_index;
  temp_target_ = std::move(temp_target);
}

void TParamCollection::SaveStatusSection(ByteWriter& out) const { SaveSection(out, true); }

void TParamCollection::LoadStatusSection(ByteReader& in, int32_t /*version*/) { AddLoaded(ReadRecords(in)); }

}  // namespace rivo

#include "script/db_manager.h"

#include <algorithm>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/sjis.h"

namespace rivo {

namespace {

constexpr int32_t kSectionVersion = 100;
// Kind byte, empty name, status, field count, record count, current.
constexpr std::size_t kMinTableBytes = 1 + 4 + 1 + 4 + 4 + 4;

bool InSection(const TDBTable& table, int32_t status) { return table.Persistent() == (status != 0); }

}  // namespace

int32_t TDBManager::Create(std::string_view name, int32_t status) {
  if (name.empty() || IndexOf(name) >= 0) return -1;
  // The status byte says in which save a table is kept. Scripts pass any
  // number; one that is not 0 asks for a table that outlives the game, and
  // storing it as 1 keeps it from wrapping to 0 (256) or from landing in no
  // save at all.
  tables_.push_back(std::make_unique<TDBTable>(std::string(name), status != 0 ? 1 : 0));
  active_ = Count() - 1;
  return active_;
}

bool TDBManager::SetActive(std::string_view name) {
  int32_t index = IndexOf(name);
  if (index < 0) return false;
  active_ = index;
  return true;
}

TDBTable* TDBManager::ActiveTable() const { return active_ >= 0 && active_ < Count() ? &(*this)[active_] : nullptr; }

int32_t TDBManager::IndexOf(std::string_view name) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (sjis::SameText((*this)[i].Name(), name)) return i;
  return -1;
}

TDBTable* TDBManager::Find(std::string_view name) const {
  int32_t index = IndexOf(name);
  return index >= 0 ? &(*this)[index] : nullptr;
}

bool TDBManager::DeleteTable(std::string_view name) {
  int32_t index = IndexOf(name);
  if (index < 0) return false;
  tables_.erase(tables_.begin() + index);
  if (active_ == index) active_ = -1;
  else if (active_ > index) --active_;
  return true;
}

void TDBManager::ClearAll() {
  tables_.clear();
  active_ = -1;
}

void TDBManager::ClearUnsaved() {
  std::erase_if(tables_, [](const std::unique_ptr<TDBTable>& table) { return !table->Persistent(); });
  active_ = -1;
}

bool TDBManager::CopySelected(std::string_view name, const std::vector<int32_t>& records) {
  TDBTable* source = ActiveTable();
  TDBTable* target = Find(name);
  if (!source || !target || target == source) return false;
  target->AssignFields(source->Fields());
  for (int32_t record : records) target->AppendCopy(*source, record);
  return true;
}

bool TDBManager::InsertSelected(std::string_view name, const std::vector<int32_t>& records) {
  TDBTable* target = ActiveTable();
  TDBTable* source = Find(name);
  if (!target || !source || !target->Fields().SameAs(source->Fields())) return false;
  for (int32_t record : records) target->AppendCopy(*source, record);
  return true;
}

TDBTable* TDBManager::Locate(const Lookup& at, int32_t& record, int32_t& field) const {
  TDBTable* table = Find(at.table);
  if (!table) return nullptr;
  field = table->Fields().IndexOf(at.field);
  std::vector<int32_t> found = table->Search(&at.names, &at.keys, at.partial, at.ignore_case);
  if (field < 0 || found.empty()) return nullptr;
  record = found.front();
  return table;
}

std::optional<int32_t> TDBManager::DirectGetInt(const Lookup& at) const {
  int32_t record, field;
  TDBTable* table = Locate(at, record, field);
  return table ? table->GetInt(record, field) : std::nullopt;
}
std::optional<long double> TDBManager::DirectGetFloat(const Lookup& at) const {
  int32_t record, field;
  TDBTable* table = Locate(at, record, field);
  return table ? table->GetFloat(record, field) : std::nullopt;
}
std::optional<bool> TDBManager::DirectGetBool(const Lookup& at) const {
  int32_t record, field;
  TDBTable* table = Locate(at, record, field);
  return table ? table->GetBool(record, field) : std::nullopt;
}
std::optional<std::string> TDBManager::DirectGetStr(const Lookup& at) const {
  int32_t record, field;
  TDBTable* table = Locate(at, record, field);
  return table ? table->GetStr(record, field) : std::nullopt;
}
bool TDBManager::DirectSetInt(const Lookup& at, int32_t value) {
  int32_t record, field;
  TDBTable* table = Locate(at, record, field);
  return table && table->SetInt(record, field, value);
}
bool TDBManager::DirectSetFloat(const Lookup& at, long double value) {
  int32_t record, field;
  TDBTable* table = Locate(at, record, field);
  return table && table->SetFloat(record, field, value);
}
bool TDBManager::DirectSetBool(const Lookup& at, bool value) {
  int32_t record, field;
  TDBTable* table = Locate(at, record, field);
  return table && table->SetBool(record, field, value);
}
bool TDBManager::DirectSetStr(const Lookup& at, std::string_view value) {
  int32_t record, field;
  TDBTable* table = Locate(at, record, field);
  return table && table->SetStr(record, field, value);
}

void TDBManager::SaveToStream(ByteWriter& out, int32_t status) const {
  out.I32(kSectionVersion);
  out.I32(static_cast<int32_t>(std::count_if(tables_.begin(), tables_.end(),
                                             [&](const auto& table) { return InSection(*table, status); })));
  for (const auto& table : tables_)
    if (InSection(*table, status)) table->SaveToStream(out);
  if (status == 0) {
    TDBTable* active = ActiveTable();
    out.String(active ? std::string_view(active->Name()) : std::string_view{});
  }
}

void TDBManager::LoadFromStream(ByteReader& in, int32_t status) {
  int32_t version = in.I32();
  if (version != kSectionVersion) in.Fail("unknown table section version " + std::to_string(version));
  std::size_t count = in.Count(in.I32(), kMinTableBytes);
  std::vector<std::unique_ptr<TDBTable>> loaded;
  loaded.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    loaded.push_back(std::make_unique<TDBTable>(TDBTable::LoadFromStream(in)));
    // A table saved in the wrong section would be written to the other one
    // next time and lost from this one: the section is damaged.
    if (!InSection(*loaded.back(), status)) in.Fail("a table of the other save section");
  }
  std::string active_name = status == 0 ? in.String() : std::string();

  std::erase_if(tables_, [&](const std::unique_ptr<TDBTable>& table) { return InSection(*table, status); });
  for (auto& table : loaded) tables_.push_back(std::move(table));
  active_ = count > 0 ? Count() - 1 : -1;
  if (status == 0) active_ = IndexOf(active_name);
}

}  // namespace rivo

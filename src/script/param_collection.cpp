#include "script/param_collection.h"

#include <algorithm>
#include <random>

#include "common/error.h"
#include "common/sjis.h"
#include "script/param_factory.h"
#include "script/param_system.h"
#include "script/param_var.h"

namespace rivo {

namespace {
constexpr unsigned char FoldUpper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }
}  // namespace

// Folds exactly as sjis::SameText compares: single-byte letters only, never
// the second byte of a double-byte character.
std::size_t TParamCollection::FoldedHash::operator()(std::string_view name) const {
  std::size_t hash = 14695981039346656037ull;
  bool trail = false;
  for (char ch : name) {
    unsigned char c = static_cast<unsigned char>(ch);
    hash = (hash ^ (trail ? c : FoldUpper(c))) * 1099511628211ull;
    trail = !trail && sjis::IsLeadByte(c);
  }
  return hash;
}

bool TParamCollection::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  return sjis::SameText(a, b);
}

// The generation starts anywhere: a binding remembered for a store that has
// gone must not look valid for a new store made at the same address.
TParamCollection::TParamCollection(SystemServices* services)
    : generation_((uint64_t{std::random_device{}()} << 32) ^ std::random_device{}()),
      services_(services ? services : &neutral_services_) {
  for (int32_t code = 0; code < kSystemVariableCount; ++code) {
    auto item = std::make_unique<TParamCollectionItem>(std::make_unique<TParamSystem>(code, *this));
    item->system_ = true;
    Insert(std::move(item), SystemVariableAt(code).name);
  }
}

// References held elsewhere are unbound as each variable goes.
TParamCollection::~TParamCollection() = default;

TParamCollectionItem& TParamCollection::Insert(std::unique_ptr<TParamCollectionItem> item, std::string name) {
  TParamCollectionItem& added = items_.Add(std::move(item), std::move(name));
  Index(added);
  ++generation_;
  return added;
}

void TParamCollection::Index(TParamCollectionItem& item) { by_name_[item.Name()].push_back(&item); }

void TParamCollection::Unindex(TParamCollectionItem& item) {
  auto it = by_name_.find(std::string_view(item.Name()));
  if (it == by_name_.end()) return;
  std::erase(it->second, &item);
  if (it->second.empty()) by_name_.erase(it);
}

TParamCollectionItem* TParamCollection::Find(std::string_view name) const {
  auto it = by_name_.find(name);
  if (it == by_name_.end()) return nullptr;
  TParamCollectionItem* earliest = nullptr;
  const std::vector<TParamCollectionItem*>& named = it->second;
  for (auto v = named.rbegin(); v != named.rend(); ++v) {
    if ((*v)->local_) {
      if ((*v)->owner_ == current_depth_) return *v;
    } else {
      earliest = *v;
    }
  }
  return earliest;
}

TParamCollectionItem* TParamCollection::FindScoped(std::string_view name, bool local) const {
  auto it = by_name_.find(name);
  if (it == by_name_.end()) return nullptr;
  const std::vector<TParamCollectionItem*>& named = it->second;
  for (auto v = named.rbegin(); v != named.rend(); ++v) {
    bool is_local = (*v)->local_ != 0;
    if (local ? is_local && (*v)->owner_ == current_depth_ : !is_local) return *v;
  }
  return nullptr;
}

TParamCollectionItem& TParamCollection::AddVariable(uint8_t kind) {
  std::unique_ptr<TCustomParam> param = MakeParam(kind, this);
  if (!param) throw RivoError("%s:不正な変数です", std::to_string(kind));
  return Insert(std::make_unique<TParamCollectionItem>(std::move(param)), {});
}

void TParamCollection::SetName(TParamCollectionItem& item, std::string name) {
  CheckVariableName(name);
  Unindex(item);
  items_.Rename(item, std::move(name));
  Index(item);
  ++generation_;
}

void TParamCollection::SetScope(TParamCollectionItem& item, uint8_t scope) {
  if (scope == VS_AUTODELETE || scope == VS_LOCAL) item.owner_ = current_depth_;
  if (scope == VS_LOCAL) item.local_ = 1;
  if (scope == VS_STATUS) item.status_ = 1;
  ++generation_;
}

TParamCollectionItem* TParamCollection::DeclareVariable(std::string_view name, uint8_t kind, uint8_t scope) {
  TParamCollectionItem* item = FindScoped(name, scope == VS_LOCAL);
  if (!item) {
    CheckVariableName(name);
    item = &AddVariable(kind);
    SetName(*item, std::string(name));
    SetScope(*item, scope);
    return item;
  }
  return item->status_ ? nullptr : item;
}

std::unique_ptr<TCustomParam> TParamCollection::CopyValueOf(std::string_view name) const {
  const TParamCollectionItem* item = Find(name);
  if (!item) return nullptr;
  std::unique_ptr<TCustomParam> copy;
  uint8_t kind = item->Param().ClassKind();
  if (IsValueKind(kind)) copy = MakeParam(kind, this);
  if (!copy) throw RivoError("%s:不正な変数です", name);
  copy->AssignRaw(item->Param());
  return copy;
}

void TParamCollection::DeleteAt(int32_t index) {
  TParamCollectionItem& item = items_[index];
  Unindex(item);
  items_.Delete(index);
  ++generation_;
}

bool TParamCollection::Delete(TParamCollectionItem& item) {
  if (item.system_) return false;
  DeleteAt(item.Index());
  return true;
}

void TParamCollection::DeleteOwnedBy(int32_t depth) {
  for (int32_t i = items_.Count() - 1; i >= 0; --i) {
    const TParamCollectionItem& item = items_[i];
    if (!item.system_ && item.owner_ == depth) DeleteAt(i);
  }
}

void TParamCollection::Reset() {
  for (int32_t i = items_.Count() - 1; i >= 0; --i) {
    const TParamCollectionItem& item = items_[i];
    if (!item.system_ && !item.status_) DeleteAt(i);
  }
  text_delay_ = 50;
  cursor_name_.clear();
}

void TParamCollection::SetCurrentDepth(int32_t depth) {
  if (depth == current_depth_) return;
  current_depth_ = depth;
  ++generation_;
}

}  // namespace rivo

#include "script/param_var.h"

#include <algorithm>
#include <utility>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "script/param_collection.h"
#include "script/param_collection_item.h"

namespace rivo {

TParamVar::~TParamVar() { Unlink(); }

void TParamVar::Link(TParamCollectionItem* item) {
  Unlink();
  // A reference never stands for the variable that holds it.
  if (!item || &item->Param() == this) return;
  target_ = item;
  next_ = item->references_;
  if (next_) next_->prev_ = this;
  item->references_ = this;
}

void TParamVar::Unlink() {
  if (!target_) return;
  if (prev_) prev_->next_ = next_;
  else target_->references_ = next_;
  if (next_) next_->prev_ = prev_;
  prev_ = next_ = nullptr;
  target_ = nullptr;
}

void TParamVar::Detach() {
  pending_name_ = target_->Name();
  Unlink();
}

void TParamVar::BindTo(TParamCollectionItem* item) {
  BindAt(item, item ? item->Param().LentElementIndex() : 0);
}

void TParamVar::BindAt(TParamCollectionItem* item, int32_t element_index) {
  pending_name_.clear();
  Link(item);
  element_index_ = element_index;
}

void TParamVar::Unbind() {
  pending_name_.clear();
  Unlink();
}

void TParamVar::Bind() {
  TParamCollectionItem* item = store_ ? store_->Find(target_name_) : nullptr;
  if (!item) throw RivoError("\"%s\" 変数がありません", target_name_);
  // A plain target keeps the element this reference has; a reference lends its own.
  BindAt(item, item->Param().ClassKind() == PT_NONE ? item->Param().LentElementIndex() : element_index_);
}

void TParamVar::BindElement(std::string_view array_name, std::span<const int32_t> indexes) {
  TParamCollectionItem* item = store_ ? store_->Find(array_name) : nullptr;
  if (!item) throw RivoError("\"%s\" 変数がありません", array_name);
  BindElement(*item, array_name, indexes);
}

void TParamVar::BindElement(TParamCollectionItem& array, std::string_view shown_name,
                            std::span<const int32_t> indexes) {
  const TCustomParam& value = array.Param();
  auto shown = [&] {
    std::string text(shown_name);
    text += "[";
    for (std::size_t k = 0; k < indexes.size(); ++k) {
      if (k) text += ",";
      text += std::to_string(indexes[k]);
    }
    return text + "]";
  };
  if (static_cast<int64_t>(indexes.size()) != value.DimCount()) throw RivoError("%s\r\n添え字が不正です", shown());
  // Row-major; kept in 64 bits and held inside a wide range so that no index
  // can overflow on the way to the bounds check.
  constexpr int64_t kFar = int64_t{1} << 40;
  int64_t flat = 0;
  for (std::size_t k = 0; k < indexes.size(); ++k) {
    flat = flat * value.DimSize(static_cast<int32_t>(k)) + indexes[k];
    flat = std::clamp(flat, -kFar, kFar);
  }
  if (flat < 0 || flat >= value.GetCount()) throw RivoError("%s\r\n要素数を超えています", shown());
  BindAt(&array, static_cast<int32_t>(flat));
}

void TParamVar::BindSaved() {
  if (target_ || pending_name_.empty() || !store_) return;
  std::string name = pending_name_;
  if (TParamCollectionItem* item = store_->Find(name)) {
    int32_t index = element_index_;
    Link(item);
    element_index_ = index;
    if (!target_) pending_name_ = std::move(name);  // refused (itself): stay waiting
    else pending_name_.clear();
  }
}

TCustomParam* TParamVar::TargetParam() const {
  if (!target_ && !pending_name_.empty()) const_cast<TParamVar*>(this)->BindSaved();
  return target_ ? &target_->Param() : nullptr;
}

template <typename R, typename F>
R TParamVar::Forward(R neutral, F&& op) const {
  return forwarding_.Forward(std::move(neutral), [this] { return TargetParam(); }, std::forward<F>(op));
}

int32_t TParamVar::GetCount() const {
  return Forward(1, [](TCustomParam& t) { return t.GetCount(); });
}
void TParamVar::SetCount(int32_t count) {
  Forward(0, [&](TCustomParam& t) { return t.SetCount(count), 0; });
}
uint8_t TParamVar::GetKind() const {
  return Forward(uint8_t{PT_NONE}, [](TCustomParam& t) { return t.GetKind(); });
}

bool TParamVar::AsBool() const {
  return Forward(false, [&](TCustomParam& t) { return t.GetBoolAt(element_index_); });
}
long double TParamVar::AsFloat() const {
  return Forward(0.0L, [&](TCustomParam& t) { return t.GetFloatAt(element_index_); });
}
int32_t TParamVar::AsInt() const {
  return Forward(0, [&](TCustomParam& t) { return t.GetIntAt(element_index_); });
}
std::string TParamVar::AsStr() const {
  return Forward(std::string(), [&](TCustomParam& t) { return t.GetStrAt(element_index_); });
}
void TParamVar::SetBool(bool v) {
  Forward(0, [&](TCustomParam& t) { return t.SetBoolAt(element_index_, v), 0; });
}
void TParamVar::SetFloat(long double v) {
  Forward(0, [&](TCustomParam& t) { return t.SetFloatAt(element_index_, v), 0; });
}
void TParamVar::SetInt(int32_t v) {
  Forward(0, [&](TCustomParam& t) { return t.SetIntAt(element_index_, v), 0; });
}
void TParamVar::SetStr(std::string_view v) {
  Forward(0, [&](TCustomParam& t) { return t.SetStrAt(element_index_, v), 0; });
}

int32_t TParamVar::GetIntAt(int32_t i) const {
  return Forward(0, [&](TCustomParam& t) { return t.GetIntAt(i); });
}
void TParamVar::SetIntAt(int32_t i, int32_t v) {
  Forward(0, [&](TCustomParam& t) { return t.SetIntAt(i, v), 0; });
}
long double TParamVar::GetFloatAt(int32_t i) const {
  return Forward(0.0L, [&](TCustomParam& t) { return t.GetFloatAt(i); });
}
void TParamVar::SetFloatAt(int32_t i, long double v) {
  Forward(0, [&](TCustomParam& t) { return t.SetFloatAt(i, v), 0; });
}
bool TParamVar::GetBoolAt(int32_t i) const {
  return Forward(false, [&](TCustomParam& t) { return t.GetBoolAt(i); });
}
void TParamVar::SetBoolAt(int32_t i, bool v) {
  Forward(0, [&](TCustomParam& t) { return t.SetBoolAt(i, v), 0; });
}
std::string TParamVar::GetStrAt(int32_t i) const {
  return Forward(std::string(), [&](TCustomParam& t) { return t.GetStrAt(i); });
}
void TParamVar::SetStrAt(int32_t i, std::string_view v) {
  Forward(0, [&](TCustomParam& t) { return t.SetStrAt(i, v), 0; });
}

int32_t TParamVar::DimCount() const {
  return Forward(1, [](TCustomParam& t) { return t.DimCount(); });
}
int32_t TParamVar::DimSize(int32_t k) const {
  return Forward(1, [&](TCustomParam& t) { return t.DimSize(k); });
}
std::vector<int32_t> TParamVar::DimSizes() const {
  return Forward(std::vector<int32_t>(), [](TCustomParam& t) { return t.DimSizes(); });
}
void TParamVar::AssignRaw(const TCustomParam& other) {
  Forward(0, [&](TCustomParam& t) { return t.AssignRaw(other), 0; });
}
void TParamVar::SetDims(std::span<const int32_t> sizes) {
  Forward(0, [&](TCustomParam& t) { return t.SetDims(sizes), 0; });
}
void TParamVar::FillInt(int32_t v) {
  Forward(0, [&](TCustomParam& t) { return t.FillInt(v), 0; });
}
void TParamVar::FillFloat(long double v) {
  Forward(0, [&](TCustomParam& t) { return t.FillFloat(v), 0; });
}
void TParamVar::FillBool(bool v) {
  Forward(0, [&](TCustomParam& t) { return t.FillBool(v), 0; });
}
void TParamVar::FillStr(std::string_view v) {
  Forward(0, [&](TCustomParam& t) { return t.FillStr(v), 0; });
}
void TParamVar::AssignSame(const TCustomParam& other) {
  Forward(0, [&](TCustomParam& t) { return t.AssignSame(other), 0; });
}
void TParamVar::MakeScalar() {
  Forward(0, [](TCustomParam& t) { return t.MakeScalar(), 0; });
}
int32_t TParamVar::IndexOfStr(std::string_view s, bool case_sensitive, bool partial) const {
  return Forward(-1, [&](TCustomParam& t) { return t.IndexOfStr(s, case_sensitive, partial); });
}
const TCustomParam* TParamVar::Resolve() const {
  return Forward(static_cast<const TCustomParam*>(nullptr), [](TCustomParam& t) { return t.Resolve(); });
}

void TParamVar::SaveToStream(ByteWriter& out) const {
  out.I32(0);
  out.String(target_name_);
  out.String(target_ ? std::string_view(target_->Name()) : std::string_view(pending_name_));
  out.U8(flag_);
  out.I32(element_index_);
}

// Binding waits for BindSaved, once every variable of the section exists.
void TParamVar::LoadFromStream(ByteReader& in) {
  std::size_t dim_count = in.Count(in.I32(), 4);
  in.Skip(dim_count * 4);
  Unlink();
  target_name_ = in.String();
  pending_name_ = in.String();
  flag_ = in.U8();
  element_index_ = in.I32();
}

}  // namespace rivo

#pragma once
// TParamVar: a reference that stands for another variable, or for one
// element of an array variable. Expression operands that name variables,
// array element temporaries and saved reference variables are references.
//
// Every operation goes to the target: scalar reads and writes to element
// ElementIndex, element operations to the element asked for, shape
// operations to the whole target. Unbound, it reads as 0 / empty / false and
// ignores writes.
//
// A reference never outlives what it points to: the target variable unbinds
// its references when it goes away. A reference that knows the name of its
// target but has none (the target was missing when a save was loaded, or has
// been deleted since) binds itself again by that name when it is next used.
// A reference that would reach itself (a cycle in saved data) acts unbound
// instead of forwarding for ever.

#include <span>
#include <string>

#include "script/custom_param.h"
#include "script/forward_guard.h"

namespace rivo {

class TParamCollection;
class TParamCollectionItem;

class TParamVar final : public TCustomParam {
 public:
  // store: where names are looked up (may be null for a reference that is
  // only ever bound directly).
  explicit TParamVar(const TParamCollection* store) : store_(store) {}
  ~TParamVar() override;

  const std::string& TargetName() const { return target_name_; }
  void SetTargetName(std::string name) { target_name_ = std::move(name); }
  TParamCollectionItem* Target() const { return target_; }
  int32_t ElementIndex() const { return element_index_; }
  uint8_t Flag() const { return flag_; }

  // Looks TargetName up in the store; raises "\"name\" 変数がありません" when
  // absent. A target that is itself a reference lends its element index.
  void Bind();
  // Binds to one element of an array variable; the indexes must match its
  // dimensions and land inside it, else raises the name with the indexes.
  void BindElement(std::string_view array_name, std::span<const int32_t> indexes);
  // The same for an array variable already found; shown_name names it in errors.
  void BindElement(TParamCollectionItem& array, std::string_view shown_name, std::span<const int32_t> indexes);
  // Binds to a variable already found (nullptr unbinds), at the element a
  // reference target lends, as Bind does.
  void BindTo(TParamCollectionItem* item);
  // Forgets the target and the name it would bind to again.
  void Unbind();
  // After loading: binds to the saved target's name, or waits for it.
  void BindSaved();

  int32_t GetCount() const override;
  void SetCount(int32_t count) override;
  uint8_t GetKind() const override;
  bool AsBool() const override;
  long double AsFloat() const override;
  int32_t AsInt() const override;
  std::string AsStr() const override;
  void SetBool(bool v) override;
  void SetFloat(long double v) override;
  void SetInt(int32_t v) override;
  void SetStr(std::string_view v) override;
  int32_t GetIntAt(int32_t i) const override;
  void SetIntAt(int32_t i, int32_t v) override;
  long double GetFloatAt(int32_t i) const override;
  void SetFloatAt(int32_t i, long double v) override;
  bool GetBoolAt(int32_t i) const override;
  void SetBoolAt(int32_t i, bool v) override;
  std::string GetStrAt(int32_t i) const override;
  void SetStrAt(int32_t i, std::string_view v) override;
  int32_t DimCount() const override;
  int32_t DimSize(int32_t k) const override;
  std::vector<int32_t> DimSizes() const override;
  void AssignRaw(const TCustomParam& other) override;
  void SetDims(std::span<const int32_t> sizes) override;
  void FillInt(int32_t v) override;
  void FillFloat(long double v) override;
  void FillBool(bool v) override;
  void FillStr(std::string_view v) override;
  void AssignSame(const TCustomParam& other) override;
  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in) override;
  void MakeScalar() override;
  int32_t IndexOfStr(std::string_view s, bool case_sensitive, bool partial) const override;
  uint8_t ClassKind() const override { return PT_NONE; }
  const TCustomParam* Resolve() const override;
  int32_t LentElementIndex() const override { return element_index_; }

 private:
  friend class TParamCollectionItem;

  // The target's value, or nullptr when unbound.
  TCustomParam* TargetParam() const;
  template <typename R, typename F>
  R Forward(R neutral, F&& op) const;
  void BindAt(TParamCollectionItem* item, int32_t element_index);
  void Link(TParamCollectionItem* item);
  void Unlink();
  // Called by a target that goes away: keep its name to bind again later.
  void Detach();

  const TParamCollection* store_;
  std::string target_name_;
  // The name of the variable to bind to when unbound (lazy binding).
  std::string pending_name_;
  TParamCollectionItem* target_ = nullptr;
  uint8_t flag_ = 0;
  int32_t element_index_ = 0;
  ForwardGuard forwarding_;
  // Links in the target's list of references.
  TParamVar* prev_ = nullptr;
  TParamVar* next_ = nullptr;
};

}  // namespace rivo

#pragma once
// TParamCollectionItem: one named variable of the store (or a temporary of
// one expression run): its value object and its scope flags.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/hash_collection.h"
#include "script/custom_param.h"

namespace rivo {

class TParamVar;

class TParamCollectionItem final : public THashCollectionItem {
 public:
  explicit TParamCollectionItem(std::unique_ptr<TCustomParam> param);
  // Unbinds every reference bound to this variable.
  ~TParamCollectionItem() override;

  TCustomParam& Param() const { return *param_; }
  void SetParam(std::unique_ptr<TCustomParam> param) { param_ = std::move(param); }

  // The byte flags and the owning call depth as stored in saves; Local and
  // Status count as set when not 0.
  uint8_t Local() const { return local_; }
  uint8_t Status() const { return status_; }
  int32_t Owner() const { return owner_; }
  uint8_t Reserved() const { return reserved_; }
  bool IsSystem() const { return system_; }

  int32_t AsInt() const { return param_->AsInt(); }
  void SetInt(int32_t value) { param_->SetInt(value); }

 private:
  friend class TParamCollection;
  friend class TParamVar;

  std::unique_ptr<TCustomParam> param_;
  uint8_t local_ = 0;
  uint8_t status_ = 0;
  int32_t owner_ = -1;
  uint8_t reserved_ = 0;
  bool system_ = false;
  // Head of the references bound to this variable.
  TParamVar* references_ = nullptr;
};

// Raises "\"name\"：変数名が不正です" unless name is a valid variable name: not
// empty, no blank, not starting with a digit.
void CheckVariableName(std::string_view name);

}  // namespace rivo

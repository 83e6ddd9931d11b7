#include "script/function_call.h"

#include "common/error.h"
#include "script/function_table.h"
#include "script/param_factory.h"

namespace rivo {

TCustomParam& FunctionCall::Variable(int32_t i) const {
  if (!IsVariable(i)) Fail("変数が見つかりません");
  return Arg(i);
}

TCustomParam& FunctionCall::Writable(int32_t i) {
  if (IsVariable(i)) return Arg(i);
  copies_.push_back(MakeParam(Arg(i).GetKind(), nullptr));
  copies_.back()->AssignRaw(Arg(i));
  return *copies_.back();
}

const char* FunctionCall::Name() const { return FunctionAt(index_)->name; }

void FunctionCall::Fail(std::string_view what_utf8) const {
  throw RivoError(std::string(Name()) + ":" + std::string(what_utf8));
}

void FunctionCall::CheckTextSize(uint64_t bytes) const {
  if (bytes > kMaxBuiltTextBytes) Fail("文字列が長すぎます");
}

}  // namespace rivo

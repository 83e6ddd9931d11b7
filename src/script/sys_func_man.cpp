#include "script/sys_func_man.h"

#include <stdexcept>

#include "common/error.h"
#include "content/memory_stream.h"
#include "content/vr_file_manager.h"
#include "script/function_call.h"
#include "script/function_families.h"
#include "script/param_collection.h"

namespace rivo {

void SetBody(FunctionBodies& bodies, std::string_view name, FunctionBody body) {
  int32_t index = FindFunction(name);
  if (index < 0) throw std::logic_error("a function body for a name the function table lacks: " + std::string(name));
  bodies[static_cast<std::size_t>(index)] = body;
}

TSysFuncMan::TSysFuncMan(TParamCollection& store, TVrFileManager* files, uint32_t random_seed)
    : store_(store), files_(files), random_(random_seed) {
  AddStringFunctions(bodies_);
  AddKanaFunctions(bodies_);
  AddArrayFunctions(bodies_);
  AddMathFunctions(bodies_);
  AddDateFunctions(bodies_);
  AddConversionFunctions(bodies_);
  AddVariableFunctions(bodies_);
  AddTextFileFunctions(bodies_);
  AddTableFunctions(bodies_);
  AddDisplayFunctions(bodies_);
  store_.SetFunctions(this);
}

TSysFuncMan::~TSysFuncMan() {
  if (store_.Functions() == this) store_.SetFunctions(nullptr);
}

void TSysFuncMan::Call(TCustomParam& dest, int32_t index, int32_t last_arg_index,
                       std::span<TCustomParam* const> args) {
  if (index < 0 || index >= kFunctionCount) return;
  FunctionBody body = bodies_[static_cast<std::size_t>(index)];
  const ExternalBody& external = external_[static_cast<std::size_t>(index)];
  if (!body && !external) ThrowMissingFunction(index);
  std::size_t count = last_arg_index < 0 ? 0 : std::min(args.size(), static_cast<std::size_t>(last_arg_index) + 1);
  FunctionCall call(*this, dest, index, args.first(count));
  if (body)
    body(call);
  else
    external(call);
}

void TSysFuncMan::SetExternalBody(std::string_view name, ExternalBody body) {
  int32_t index = FindFunction(name);
  if (index < 0) throw std::logic_error("an external body for a name the function table lacks: " + std::string(name));
  external_[static_cast<std::size_t>(index)] = std::move(body);
}

std::optional<std::string> TSysFuncMan::ReadFile(std::string_view name) const {
  if (!CanReach(name)) return std::nullopt;
  if (!files_) throw RivoError("%s:ファイルがありません", name);
  TQnMemoryStream bytes;
  files_->LoadToStream(bytes, name);
  return bytes.ToString();
}

}  // namespace rivo

#include "scenario/data_commands.h"

#include "common/error.h"
#include "scenario/call_man.h"
#include "scenario/command_support.h"
#include "script/param_collection.h"
#include "script/param_factory.h"

namespace rivo {

void TComCalc::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  EvaluateExpression(calls, Expression);
}

void TComVarNew::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  if (Name.empty()) throw RivoError("変数名がありません");
  // Kind 0 would declare a reference that nothing binds.
  if (!IsValueKind(Kind)) throw RivoError("%s:不正な変数です", Name);
  TParamCollection* store = calls.Variables();
  if (!store) return;
  TParamCollectionItem* variable = store->DeclareVariable(Name, Kind, Scope);
  if (!variable) return;  // a status variable keeps its value
  if (const TCustomParam* value = EvaluateExpression(calls, Value)) AssignAs(variable->Param(), Kind, *value);
}

void TComVarDel::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  TParamCollection* store = calls.Variables();
  if (Name.empty() || !store) return;
  if (TParamCollectionItem* variable = store->Find(Name)) store->Delete(*variable);
}

}  // namespace rivo

#include "scenario/object_commands.h"

#include "common/error.h"
#include "objects/property_dispatch.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_prop_motion.h"
#include "scenario/call_man.h"
#include "script/param_collection.h"

namespace rivo {
namespace {

TRivoObject* FindNamed(TCallMan& calls, TRivoParser& name) {
  return calls.Screen().FindObjectByName(EvaluateText(calls, name));
}

int32_t RequiredPropertyId(TCallMan& calls, TRivoParser& expression) {
  const TCustomParam* id = EvaluateExpression(calls, expression);
  if (!id) throw RivoError("プロパティ指定が不正です");
  return id->AsInt();
}

}  // namespace

void TComGetProp::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  TRivoObject* object = FindNamed(calls, Object);
  if (!object) return;
  const int32_t id = RequiredPropertyId(calls, Property);
  if (Variable.empty() || !calls.Variables()) return;
  if (TParamCollectionItem* variable = calls.Variables()->Find(Variable)) GetPropById(*object, id, variable->Param());
}

void TComSetProp::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  TRivoObject* object = FindNamed(calls, Object);
  if (!object) return;
  const int32_t id = RequiredPropertyId(calls, Property);
  if (const TCustomParam* value = EvaluateExpression(calls, Value)) SetPropById(*object, id, *value);
}

void TComObjDel::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  const std::string name = EvaluateText(calls, Object);
  if (name.empty()) return;
  if (TRivoObject* object = calls.Screen().FindObjectByName(name)) object->Release();
}

void TComPropMotion::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  auto& motion = static_cast<TRivoPropMotion&>(calls.Screen().CreateByType(LT_PROPMOTION));
  if (std::string name = EvaluateText(calls, Name); !name.empty()) motion.SetName(name);
  if (std::string target = EvaluateText(calls, Object); !target.empty()) motion.TargetName = target;
  motion.PropertyId = RequiredPropertyId(calls, Property);
  if (const TCustomParam* end = EvaluateExpression(calls, EndValue)) motion.TargetValue = end->AsFloat();
  if (const TCustomParam* duration = EvaluateExpression(calls, Duration)) motion.Duration = duration->AsInt();
  if (const TCustomParam* kind = EvaluateExpression(calls, MotionType)) motion.Kind = kind->AsInt();
  if (const TCustomParam* paused = EvaluateExpression(calls, Paused)) motion.SetPaused(paused->AsBool());
}

}  // namespace rivo

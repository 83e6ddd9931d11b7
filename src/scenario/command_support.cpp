#include "scenario/command_support.h"

#include "scenario/call_man.h"

namespace rivo {

const TCustomParam* EvaluateExpression(TCallMan& calls, TRivoParser& expression) {
  TParamCollection* store = calls.Variables();
  if (!store) return nullptr;
  expression.Evaluate(*store);
  return expression.Result();
}

bool IsTrue(TCallMan& calls, TRivoParser& expression) {
  const TCustomParam* value = EvaluateExpression(calls, expression);
  return value && value->AsBool();
}

std::string EvaluateText(TCallMan& calls, TRivoParser& expression) {
  const TCustomParam* value = EvaluateExpression(calls, expression);
  return value ? value->AsStr() : std::string();
}

}  // namespace rivo

namespace rivo {

void SkipUnsupported(TCallMan& calls, const TCommand& command, int32_t& pc) {
  calls.NoteSkipped(command.GetType());
  ++pc;
}

}  // namespace rivo

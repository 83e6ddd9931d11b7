#include "scenario/save_commands.h"

#include "scenario/call_man.h"
#include "scenario/command_support.h"

namespace rivo {
namespace {

int32_t SlotOf(TCallMan& calls, TRivoParser& expression) {
  const TCustomParam* slot = EvaluateExpression(calls, expression);
  return slot ? slot->AsInt() : 0;
}

}  // namespace

void TComGameSave::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  PendingRequests& pending = calls.Pending();
  pending.save = SlotOf(calls, Slot);
  pending.save_caption = EvaluateText(calls, Caption);
  pending.save_load_page = LoadPage;
  pending.save_load_index = LoadIndex;
}

void TComGameLoad::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  calls.Pending().load = SlotOf(calls, Slot);
}

}  // namespace rivo

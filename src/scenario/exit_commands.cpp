#include "scenario/exit_commands.h"

#include "scenario/command_support.h"

namespace rivo {

void TComExit::Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) {
  if (IsTrue(calls, Condition)) page.reset();
  else ++pc;
}

void TComBreak::Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) {
  if (!IsTrue(calls, Condition)) {
    ++pc;
  } else if (TargetIndex >= 0) {
    pc = TargetIndex;
  } else {
    page.reset();
  }
}

void TComContinue::Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) {
  ++pc;
  if (!IsTrue(calls, Condition)) return;
  if (TargetIndex >= 0) pc = TargetIndex;
  else page.reset();
}

}  // namespace rivo

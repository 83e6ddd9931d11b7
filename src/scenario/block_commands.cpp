#include "scenario/block_commands.h"

#include "scenario/call_man.h"
#include "scenario/command_support.h"

namespace rivo {
namespace {

// The first position after pc whose command is not deeper than depth.
int32_t SkipDeeper(const TPage& page, int32_t pc, int32_t depth) {
  int32_t i = pc + 1;
  while (i < page.Count() && page[i].Depth > depth) ++i;
  return i;
}

}  // namespace

void TComIf::Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) {
  ++pc;
  if (IsTrue(calls, Condition)) return;
  const TPage& p = *page;
  for (int32_t i = pc; i < p.Count(); ++i) {
    TCommand& c = p[i];
    if (c.Depth > Depth) continue;
    if (c.Depth == Depth && c.GetType() == CC_ELSEIF) {
      if (IsTrue(calls, static_cast<TComElseif&>(c).Condition)) {
        pc = i + 1;
        return;
      }
      continue;
    }
    pc = c.Depth == Depth && c.GetType() == CC_ELSE ? i + 1 : i;
    return;
  }
  pc = p.Count();
}

void TComElseif::Execute(TCallMan&, std::shared_ptr<TPage>& page, int32_t& pc) { pc = SkipDeeper(*page, pc, Depth); }

void TComElse::Execute(TCallMan&, std::shared_ptr<TPage>& page, int32_t& pc) { pc = SkipDeeper(*page, pc, Depth); }

void TComWhile::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  if (!IsTrue(calls, Condition)) pc = ExitIndex;
}

void TComWhileInit::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  EvaluateExpression(calls, Expression);
}

void TComWhileLoop::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  pc = LoopIndex;
  EvaluateExpression(calls, Expression);
}

}  // namespace rivo

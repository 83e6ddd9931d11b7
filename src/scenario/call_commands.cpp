#include "scenario/call_commands.h"

#include "scenario/call_man.h"
#include "scenario/command_support.h"
#include "script/param_factory.h"

namespace rivo {

void TComJump::Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) {
  ++pc;
  if (!IsTrue(calls, Condition) || !calls.CanReach(PageName)) return;
  page = calls.GetPage(PageName, true);
  pc = TargetIndex;
}

void TComCall::Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) {
  ++pc;
  if (!IsTrue(calls, Condition) || !calls.CanReach(PageName)) return;
  // An argument that gives no value is left out; later ones move up.
  std::vector<std::string> args;
  for (auto& argument : Arguments)
    if (const TCustomParam* value = EvaluateExpression(calls, *argument)) args.push_back(value->AsStr());
  // The page first: when it cannot be loaded the call fails having changed
  // nothing, rather than leaving a frame that returns to the caller twice.
  std::shared_ptr<TPage> called = calls.GetPage(PageName, true);
  TStack& frame = calls.CallStack().Push();
  frame.PageName = page->Name;
  frame.ReturnPc = pc;
  frame.ResultVariable = ResultVariable;
  frame.RunOn = calls.RunOn();
  frame.Sender = calls.Sender();
  frame.Args = std::move(calls.Args());
  frame.ReturnValue = called->ReturnType == PT_NONE ? nullptr : MakeParam(called->ReturnType, nullptr);
  calls.Args() = std::move(args);
  page = std::move(called);
  pc = TargetIndex;
}

}  // namespace rivo

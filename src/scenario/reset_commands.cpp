#include "scenario/reset_commands.h"

#include "common/byte_reader.h"
#include "scenario/call_man.h"
#include "script/param_collection.h"

namespace rivo {
namespace {

void DeleteOwnedBy(TCallMan& calls, int32_t depth) {
  if (TParamCollection* store = calls.Variables()) store->DeleteOwnedBy(depth);
}

}  // namespace

void TComPCReset::ResetAll(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) {
  TStackList& stack = calls.CallStack();
  DeleteOwnedBy(calls, stack.Count());
  // Frames up to the lowest one an event pushed belong to the main process.
  const int32_t lowest_event = stack.LowestEventFrame();
  for (int32_t i = stack.Count() - 1; i >= 0; --i) {
    DeleteOwnedBy(calls, i);
    const TStack& frame = stack[i];
    if (!frame.Started || (lowest_event >= 0 && i > lowest_event)) continue;
    // An interrupted command of the main process finishes its work (a Flip
    // completes its screen change).
    try {
      std::shared_ptr<TPage> interrupted = calls.GetPage(frame.PageName, false);
      if (!interrupted->Holds(frame.ReturnPc)) continue;
      TCommand& command = (*interrupted)[frame.ReturnPc];
      // Its own flags, as the interruption saved them.
      if (frame.StateStream) {
        ByteReader in(*frame.StateStream, interrupted->Name);
        command.LoadState(in);
      }
      command.Abort(calls);
    } catch (const std::exception&) {
    }
  }
  calls.JumpTo(PageName);
  page = calls.CurrentPage();
  pc = TargetIndex;
  calls.Events().Clear();
}

void TComPCReset::Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) {
  // The page first: when it cannot be loaded nothing is reset.
  std::shared_ptr<TPage> target = calls.GetPage(PageName, true);
  if (AllProcesses) {
    ResetAll(calls, page, pc);
    return;
  }
  TStackList& stack = calls.CallStack();
  DeleteOwnedBy(calls, stack.Count());
  // Inside an event handler: the frame that brings the main process back
  // is rewritten, and the handler goes on.
  if (int32_t i = stack.LowestEventFrame(); i >= 0) {
    DeleteOwnedBy(calls, i);
    TStack& frame = stack[i];
    frame.PageName = PageName;
    frame.ReturnPc = TargetIndex;
    frame.Started = false;
    frame.ResultVariable.clear();
    frame.Args.clear();
    frame.StateStream.reset();
    ++pc;
  } else {
    page = std::move(target);
    pc = TargetIndex;
  }
  calls.Events().RemoveTaken();
}

void TComReset::Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) {
  calls.GetPage(PageName, true);
  calls.Host().ResetGame();
  if (TParamCollection* store = calls.Variables()) {
    store->Reset();
    store->SetTextDelay(50);
  }
  calls.JumpTo(PageName);
  page = calls.CurrentPage();
  pc = TargetIndex;
}

void TComTerminate::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t&) {
  calls.Host().SetTerminating(true);
  calls.Host().RequestClose();
}

}  // namespace rivo

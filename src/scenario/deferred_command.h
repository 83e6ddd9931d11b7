#pragma once
// The base of commands that act on subsystems not built yet (the screen's
// objects, text windows, media, game saves): their records are read and
// written in full, and executing one moves on without effect.

#include "scenario/command.h"
#include "scenario/command_codes.h"
#include "scenario/command_support.h"

namespace rivo {

class TDeferredCommand : public TCommand {
 public:
  using TCommand::TCommand;
  void Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) override { SkipUnsupported(calls, *this, pc); }
};

}  // namespace rivo

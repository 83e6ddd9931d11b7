#pragma once
// Holding the process: Wait (for a time, or while a condition holds) and
// DoEvent (ends the tick so that waiting events get their turn).

#include "scenario/command.h"
#include "scenario/command_codes.h"

namespace rivo {

class TComWait : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_WAIT; }
  bool Waits() const override { return true; }
  bool BlocksEvents() const override { return Block; }
  void Fields(RecordFields& f) override {
    f.Expression("cond", Condition);
    f.Expression("time", Time);
    if (f.Version() >= 107) f.Expression("block", BlockEvents);
  }
  void Begin(TCallMan& calls) override;
  // Holds while the condition is true or gives no value, at most for the
  // time when one is given; the tick in which the wait starts is not counted.
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
  void SaveState(ByteWriter& out) const override;
  void LoadState(ByteReader& in) override;

  TRivoParser Condition;
  TRivoParser Time;
  TRivoParser BlockEvents;

  // Run-time state.
  int32_t Remaining = 0;
  int32_t Skip = 0;
  bool Block = false;
};

class TComDoEvent : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_DOEVENT; }
  bool GetContinue() const override { return false; }
  bool Waits() const override { return true; }
  void Execute(TCallMan&, std::shared_ptr<TPage>&, int32_t& pc) override { ++pc; }
};

}  // namespace rivo

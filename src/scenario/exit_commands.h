#pragma once
// Leaving a page or a loop: Exit returns from the page; Break leaves the
// loop (or the page, without a loop); Continue goes to the loop's step.

#include "scenario/command.h"
#include "scenario/command_codes.h"

namespace rivo {

class TComExit : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_EXIT; }
  void Fields(RecordFields& f) override { f.Expression("cond", Condition); }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  TRivoParser Condition;
};

class TComBreak : public TComExit {
 public:
  using TComExit::TComExit;
  uint8_t GetType() const override { return CC_BREAK; }
  void Fields(RecordFields& f) override {
    TComExit::Fields(f);
    f.Target("target", TargetIndex, TargetKind::kBreak);
  }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  int32_t TargetIndex = -1;
};

class TComContinue : public TComExit {
 public:
  using TComExit::TComExit;
  uint8_t GetType() const override { return CC_CONTINUE; }
  void Fields(RecordFields& f) override {
    TComExit::Fields(f);
    f.Target("target", TargetIndex, TargetKind::kContinue);
  }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  int32_t TargetIndex = -1;
};

}  // namespace rivo

#pragma once
// Conditional blocks and loops. Nesting is not stored as a tree: each
// command carries its depth, and a block's body is the run of following
// commands that are deeper than the block's own command.

#include "scenario/command.h"
#include "scenario/command_codes.h"

namespace rivo {

class TComIf : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_IF; }
  void Fields(RecordFields& f) override { f.Expression("cond", Condition); }
  // True: into the body. False: on to the first Elseif whose condition
  // holds, or the Else, or past the chain.
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  TRivoParser Condition;
};

// Reached directly only after the branch before it ran: skips its own body.
class TComElseif : public TComIf {
 public:
  using TComIf::TComIf;
  uint8_t GetType() const override { return CC_ELSEIF; }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
};

class TComElse : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_ELSE; }
  bool GetContinue() const override { return true; }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
};

class TComWhile : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_WHILE; }
  void Fields(RecordFields& f) override {
    f.Expression("cond", Condition);
    f.Target("exit", ExitIndex, TargetKind::kLoopExit);
  }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  TRivoParser Condition;
  int32_t ExitIndex = -1;
};

// The loop's start value (typically), before its While.
class TComWhileInit : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_WHILEINIT; }
  bool GetContinue() const override { return true; }
  void Fields(RecordFields& f) override { f.Expression("expr", Expression); }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  TRivoParser Expression;
};

// The loop's step (typically), after its body: back to the While.
class TComWhileLoop : public TComWhileInit {
 public:
  using TComWhileInit::TComWhileInit;
  uint8_t GetType() const override { return CC_WHILELOOP; }
  void Fields(RecordFields& f) override {
    TComWhileInit::Fields(f);
    f.Target("loop", LoopIndex, TargetKind::kLoopStart);
  }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  int32_t LoopIndex = -1;
};

}  // namespace rivo

#pragma once
// Moving between pages: Jump continues in another page (the call stack
// stays); Call runs a page and comes back, with arguments and a result.

#include <string>

#include "scenario/command.h"
#include "scenario/command_codes.h"

namespace rivo {

class TComJump : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_JUMP; }
  void Fields(RecordFields& f) override {
    f.String("page", PageName);
    f.Target("target", TargetIndex, TargetKind::kNamedPage);
    f.Expression("cond", Condition);
  }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  std::string PageName;
  int32_t TargetIndex = 0;
  TRivoParser Condition;
};

class TComCall : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_CALL; }
  void Fields(RecordFields& f) override {
    f.String("page", PageName);
    f.Target("target", TargetIndex, TargetKind::kNamedPage);
    f.String("result", ResultVariable);
    f.Expression("cond", Condition);
    f.Expressions("args", Arguments);
  }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  std::string PageName;
  int32_t TargetIndex = 0;
  std::string ResultVariable;
  TRivoParser Condition;
  ExpressionList Arguments;
};

}  // namespace rivo

#pragma once
// GameSave and GameLoad: they only ask; the project saves or loads at the
// end of the tick, outside the interpreter.

#include <string>

#include "scenario/command.h"
#include "scenario/command_codes.h"
#include "script/rivo_parser.h"

namespace rivo {

class TComGameSave : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_GAMESAVE; }
  bool GetContinue() const override { return false; }
  void Fields(RecordFields& f) override {
    f.Expression("slot", Slot);
    f.String("page", LoadPage);
    if (f.Version() >= 105) f.Target("target", LoadIndex, TargetKind::kNamedPage);
    f.Expression("caption", Caption);
  }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
  TRivoParser Slot;
  std::string LoadPage;
  int32_t LoadIndex = 0;
  TRivoParser Caption;
};

class TComGameLoad : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_GAMELOAD; }
  bool GetContinue() const override { return false; }
  void Fields(RecordFields& f) override { f.Expression("slot", Slot); }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
  TRivoParser Slot;
};

}  // namespace rivo

#pragma once
// Game save and load requests.

#include <string>

#include "scenario/deferred_command.h"

namespace rivo {

class TComGameSave : public TDeferredCommand {
 public:
  using TDeferredCommand::TDeferredCommand;
  uint8_t GetType() const override { return CC_GAMESAVE; }
  bool GetContinue() const override { return false; }
  void Fields(RecordFields& f) override {
    f.Expression("slot", Slot);
    f.String("page", LoadPage);
    if (f.Version() >= 105) f.Target("target", LoadIndex, TargetKind::kNamedPage);
    f.Expression("caption", Caption);
  }
  TRivoParser Slot;
  std::string LoadPage;
  int32_t LoadIndex = 0;
  TRivoParser Caption;
};

class TComGameLoad : public TDeferredCommand {
 public:
  using TDeferredCommand::TDeferredCommand;
  uint8_t GetType() const override { return CC_GAMELOAD; }
  bool GetContinue() const override { return false; }
  void Fields(RecordFields& f) override { f.Expression("slot", Slot); }
  TRivoParser Slot;
};

}  // namespace rivo

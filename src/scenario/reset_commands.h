#pragma once
// Starting over: PCReset moves the main process to a page (all processes,
// or only the main one while an event handler goes on), Reset also clears
// the game's state, and Terminate ends the player.

#include <string>

#include "scenario/command.h"
#include "scenario/command_codes.h"

namespace rivo {

class TComPCReset : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_PCRESET; }
  void Fields(RecordFields& f) override {
    f.String("page", PageName);
    f.Target("target", TargetIndex, TargetKind::kNamedPage);
    f.Byte("all", AllProcesses);
  }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;

  std::string PageName;
  int32_t TargetIndex = 0;
  uint8_t AllProcesses = 0;

 protected:
  // Every process ends; the main one starts at the page and target.
  void ResetAll(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc);
};

class TComReset : public TComPCReset {
 public:
  using TComPCReset::TComPCReset;
  uint8_t GetType() const override { return CC_RESET; }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
};

class TComTerminate : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_TERMINATE; }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
};

}  // namespace rivo

#pragma once
// The system variables that read the interpreter: "@Result", "@ParamCount",
// "@ParamStr" and "@Sender" ask the call manager; the rest are answered as
// the player's own services answer them.

#include "script/player_system_services.h"

namespace rivo {

class TCallMan;

class ScenarioSystemServices : public PlayerSystemServices {
 public:
  // calls may be nullptr (no interpreter yet, or none any more).
  void SetCallManager(TCallMan* calls) { calls_ = calls; }

  TCustomParam* CallResult() override;
  int32_t ParamCount() override;
  std::string ParamStr(int32_t index) override;
  std::string Sender() override;

 private:
  TCallMan* calls_ = nullptr;
};

}  // namespace rivo

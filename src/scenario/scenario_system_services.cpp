#include "scenario/scenario_system_services.h"

#include "scenario/call_man.h"

namespace rivo {

TCustomParam* ScenarioSystemServices::CallResult() { return calls_ ? calls_->CurrentReturnValue() : nullptr; }
int32_t ScenarioSystemServices::ParamCount() { return calls_ ? calls_->ArgCount() : 0; }
std::string ScenarioSystemServices::ParamStr(int32_t index) { return calls_ ? calls_->ArgString(index) : std::string(); }
std::string ScenarioSystemServices::Sender() { return calls_ ? calls_->SenderName() : std::string(); }

}  // namespace rivo

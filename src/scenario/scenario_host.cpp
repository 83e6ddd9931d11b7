#include "scenario/scenario_host.h"

#include "scenario/page.h"

namespace rivo {

// Out of line so that every file holding a host need not see the whole page.
std::unique_ptr<TPage> ScenarioHost::TakeCompiledPage(std::string_view) { return nullptr; }

}  // namespace rivo

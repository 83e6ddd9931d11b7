// Headless input scripts from arbitrary bytes: a bad line is refused with a
// PlatformError naming it; what is read is in tick order.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/headless/input_script.h"
#include "platform/platform_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  try {
    std::vector<ScriptAction> actions = ParseInputScript(std::string_view(reinterpret_cast<const char*>(data), size));
    for (std::size_t i = 1; i < actions.size(); ++i)
      if (actions[i - 1].tick > actions[i].tick || actions[i].tick == 0) __builtin_trap();
  } catch (const PlatformError&) {
  }
  return 0;
}

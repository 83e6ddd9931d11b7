// Functions about the screen: the display modes a game may pick for full
// screen, and which of the screen's two bases has input. The answers come
// from the system services the screen and the screen manager provide.

#include "script/function_call.h"
#include "script/function_families.h"
#include "script/param_collection.h"
#include "script/sys_func_man.h"

namespace rivo {
namespace {

SystemServices& Services(FunctionCall& call) { return call.functions.Store().Services(); }

// GetDisplayMode(n, var w, var h, var bits, var rate)
void GetDisplayMode(FunctionCall& call) {
  std::optional<DisplayMode> mode = Services(call).DisplayModeAt(call.Int(0));
  if (!mode) {
    call.dest.SetBool(false);
    return;
  }
  const uint32_t values[] = {mode->width, mode->height, mode->bits, mode->refresh};
  for (int32_t i = 0; i < 4; ++i) call.Writable(i + 1).SetInt(static_cast<int32_t>(values[i]));
  call.dest.SetBool(true);
}

void InPrimary(FunctionCall& call) { call.dest.SetBool(Services(call).InPrimary(call.Str(0))); }

}  // namespace

void AddDisplayFunctions(FunctionBodies& bodies) {
  SetBody(bodies, "GetDisplayMode", GetDisplayMode);
  SetBody(bodies, "InPrimary", InPrimary);
}

}  // namespace rivo

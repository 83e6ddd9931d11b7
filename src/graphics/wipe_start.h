#pragma once
// Starting a transition the way a Flip asks for one. The screen makes the
// wipe of the code with the default parameters, the duration and the
// reverse flag (MakeWipe); the Flip then applies its own parameters
// (clamped) and mask picture name and initialises it (ApplyWipeOverrides).
// StartWipe does both at once for the tools.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "graphics/custom_wipe.h"
#include "graphics/wipe_codes.h"

namespace rivo {

// What a Flip may set beyond the code's defaults.
struct TWipeOverrides {
  std::optional<int32_t> p0, p1;
  std::optional<std::string> mask_name;
};

struct TWipeRequest : TWipeOverrides {
  int32_t code = 0;
  int32_t duration = 1;  // ms; at least 1 is used
  bool reverse = false;
};

// The wipe of code with its default parameters, duration and reverse flag,
// not yet initialised; nullptr when the code has no wipe.
std::unique_ptr<TCustomWipe> MakeWipe(int32_t code, int32_t duration, bool reverse,
                                      const TWipeDefaults& defaults, TDIBX& dest,
                                      const TCustomDIBX& new_picture,
                                      const TCustomDIBX& old_picture,
                                      const TWipeEnvironment& environment);

// The Flip's own parameters and mask name, then Init.
void ApplyWipeOverrides(TCustomWipe& wipe, const TWipeOverrides& overrides);

// MakeWipe and ApplyWipeOverrides; nullptr when the code has no wipe.
std::unique_ptr<TCustomWipe> StartWipe(const TWipeRequest& request, const TWipeDefaults& defaults,
                                       TDIBX& dest, const TCustomDIBX& new_picture,
                                       const TCustomDIBX& old_picture,
                                       const TWipeEnvironment& environment);

}  // namespace rivo

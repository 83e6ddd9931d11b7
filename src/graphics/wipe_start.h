#pragma once
// Starting a transition the way a Flip asks for one: the wipe of the code
// with the default parameters, the duration and the reverse flag, then the
// Flip's own parameters (clamped) and mask picture name, initialised.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "graphics/custom_wipe.h"
#include "graphics/wipe_codes.h"

namespace rivo {

struct TWipeRequest {
  int32_t code = 0;
  int32_t duration = 1;  // ms; at least 1 is used
  bool reverse = false;
  std::optional<int32_t> p0, p1;  // the Flip's overrides
  std::optional<std::string> mask_name;
};

// nullptr when the code has no wipe.
std::unique_ptr<TCustomWipe> StartWipe(const TWipeRequest& request, const TWipeDefaults& defaults,
                                       TDIBX& dest, const TCustomDIBX& new_picture,
                                       const TCustomDIBX& old_picture,
                                       const TWipeEnvironment& environment);

}  // namespace rivo

#pragma once
// The transition for a WP_ code.

#include <cstdint>
#include <memory>

#include "graphics/custom_wipe.h"

namespace rivo {

// The wipe of code drawing into dest from old_picture to new_picture, or
// nullptr for WP_NONE and every code outside 1..38 (negative codes too).
// Its parameters are still 0: the caller sets the defaults (TWipeDefaults).
std::unique_ptr<TCustomWipe> CreateWipe(int32_t code, TDIBX& dest, const TCustomDIBX& new_picture,
                                        const TCustomDIBX& old_picture,
                                        const TWipeEnvironment& environment);

}  // namespace rivo

#pragma once
// JSON literals for the player's dumps (--dump-vars, --dump-objects): game
// text converted from CP932, control bytes escaped (system names begin with
// 0x01), and reals with as many digits as read back the same value.

#include <string>
#include <string_view>

namespace rivo {

std::string JsonString(std::string_view cp932);
// null for NaN and the infinities.
std::string JsonReal(long double value);

}  // namespace rivo

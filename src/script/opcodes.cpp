#include "script/opcodes.h"

#include <array>

namespace rivo {

std::string OpCodeName(uint8_t code) {
  static constexpr std::array<const char*, kLastOpCode + 1> kNames = {
      "ocNone",  "ocTo",    "ocPlus",  "ocMinus",  "ocMul",      "ocDiv",    "ocMod",
      "ocOr",    "ocAnd",   "ocXor",   "ocDimTo",  "ocFunc",     "ocEqual",  "ocBig",
      "ocSmall", "ocEBig",  "ocESmall", "ocShiftL", "ocShiftR",  "ocComboStr", "ocNEqual"};
  if (code <= kLastOpCode) return kNames[code];
  return std::to_string(code);
}

}  // namespace rivo

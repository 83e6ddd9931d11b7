#pragma once
// The operations of compiled expressions. Each is one byte in the compiled
// form; the names are those the error texts show.

#include <cstdint>
#include <string>

namespace rivo {

enum TOpCode : uint8_t {
  ocNone = 0,      // never produced; running it is an error
  ocTo = 1,        // D := A, converted to D's kind
  ocPlus = 2,
  ocMinus = 3,     // also unary minus, as 0 - B
  ocMul = 4,
  ocDiv = 5,
  ocMod = 6,
  ocOr = 7,
  ocAnd = 8,
  ocXor = 9,
  ocDimTo = 10,    // D becomes a reference to the element A[B, C, ...]
  ocFunc = 11,     // system function call; the function number is kept apart
  ocEqual = 12,
  ocBig = 13,
  ocSmall = 14,
  ocEBig = 15,
  ocESmall = 16,
  ocShiftL = 17,
  ocShiftR = 18,
  ocComboStr = 19,  // "++": text concatenation
  ocNEqual = 20,
};

constexpr uint8_t kLastOpCode = ocNEqual;

// "ocPlus" ...; the decimal number for a code that names no operation.
std::string OpCodeName(uint8_t code);

}  // namespace rivo

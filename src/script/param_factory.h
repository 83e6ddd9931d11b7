#pragma once
// Making a fresh value object of a kind code.

#include <cstdint>
#include <memory>

#include "script/custom_param.h"

namespace rivo {

class TParamCollection;

// A scalar holding 0, 0.0, false or the empty text, or an unbound reference
// for PT_NONE (which looks names up in store); nullptr for other codes.
std::unique_ptr<TCustomParam> MakeParam(uint8_t kind, const TParamCollection* store);

// Stores value into dest through the setter of kind (SetInt for PT_INT and
// so on), the way a declared variable takes its initial value.
void AssignAs(TCustomParam& dest, uint8_t kind, const TCustomParam& value);

}  // namespace rivo

#pragma once
// Making the command object of a type code.

#include <cstdint>
#include <memory>

#include "scenario/command.h"

namespace rivo {

// Uses the low 7 bits of code; a code without a class raises "不正なコマンド".
// The page's masks must be set: object-creating commands take their
// property slots from them.
std::unique_ptr<TCommand> CreateCommand(TPage& page, uint8_t code);

}  // namespace rivo

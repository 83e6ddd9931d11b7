#pragma once
// What every command's Execute does with its expressions: run one and take
// its value, or read it as a condition.

#include <cstdint>
#include <string>

#include "script/custom_param.h"
#include "script/rivo_parser.h"

namespace rivo {

class TCallMan;

// The value the expression gives, or nullptr (empty, failed, or no store).
const TCustomParam* EvaluateExpression(TCallMan& calls, TRivoParser& expression);
// True only for a value whose flag reading is true.
bool IsTrue(TCallMan& calls, TRivoParser& expression);
// The text reading of the value, empty without one.
std::string EvaluateText(TCallMan& calls, TRivoParser& expression);

}  // namespace rivo

namespace rivo {

class TCommand;

// A command whose subsystem is not built yet: moves on without effect and
// is counted, so that the player can say which kinds it skipped.
void SkipUnsupported(TCallMan& calls, const TCommand& command, int32_t& pc);

}  // namespace rivo

#pragma once
// Every string constant a command spells out: its own string fields and the
// string literals of its expressions and object properties. What pages name
// this way (pictures, pages, texts) is what the look-ahead can know of them
// before they run.

#include <cstdint>
#include <functional>
#include <string_view>

namespace rivo {

class TCommand;
class TRivoParser;

// Calls found with each constant, in record order. version: the page's.
void ForEachStringConstant(TCommand& command, int32_t version, const std::function<void(std::string_view)>& found);
// The string literals of one expression.
void ForEachStringLiteral(const TRivoParser& expression, const std::function<void(std::string_view)>& found);

}  // namespace rivo

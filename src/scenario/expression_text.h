#pragma once
// Compiled expressions as source text. An expression is shown as the text
// the player's own compiler turns back into exactly the same operations;
// where no such text can be found (a form the compiler never makes, a real
// that its decimal text would round), it is shown operation by operation:
//
//   {ocPlus "____0" v:"a" i:1; ocTo "____arg" v:"____0"}
//
// with operands v:"name", i:int, r:real (or r:x + 20 hex digits for the
// stored bytes), f:TRUE/FALSE, s:"text", and #N after the destination of a
// function call for the function's number.

#include <optional>
#include <string>
#include <string_view>

namespace rivo {

class TRivoParser;

// UTF-8 source text of an expression (empty for an expression without
// operations).
std::string ExpressionSource(const TRivoParser& expression);
// The compiled bytes of a source text: empty text gives an expression
// without operations, "{...}" the operations as listed, anything else
// goes through the compiler. Raises the compiler's errors, or RivoError
// for a malformed operation list.
std::string CompileExpressionSource(std::string_view utf8);

// The expression text the compiler makes these operations from (CP932),
// or nullopt.
std::optional<std::string> DecompileExpression(const TRivoParser& expression);

}  // namespace rivo

#pragma once
// The game's variables as JSON, for `rivoplay --dump-vars`: an object that
// maps each name (UTF-8) to {"kind": "integer"|"real"|"flag"|"string",
// "value": V}; an array's V is a list nested by its dimensions, and reals
// carry as many digits as it takes to read back the same value. The "@"
// system variables and expression temporaries are left out.

#include <string>

namespace rivo {

class TParamCollection;

std::string DumpVariablesJson(const TParamCollection& variables);

}  // namespace rivo

#pragma once
// rivotool eval: compile one expression and run it (see eval_command.cpp).

#include <string>
#include <vector>

namespace rivo::tools {

int RunEval(const std::vector<std::string>& args);

}  // namespace rivo::tools

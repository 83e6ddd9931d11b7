#pragma once
// rivotool markup: what a tagged text compiles to (see markup_command.cpp).

#include <string>
#include <vector>

namespace rivo::tools {

int RunMarkup(const std::vector<std::string>& args);

}  // namespace rivo::tools

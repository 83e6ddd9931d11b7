#pragma once
// rivotool wipe: frames of a screen transition between two pictures.

#include <string>
#include <vector>

namespace rivo::tools {

int RunWipe(const std::vector<std::string>& args);

}  // namespace rivo::tools

#pragma once
// rivotool save ls|dump: what a player's "save.dat" holds.

#include <string>
#include <vector>

namespace rivo::tools {

int RunSave(const std::vector<std::string>& args);

}  // namespace rivo::tools

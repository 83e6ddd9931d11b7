#pragma once
// rivotool convert: pictures between the player's formats and PNG or BMP.

#include <string>
#include <vector>

namespace rivo::tools {

int RunConvert(const std::vector<std::string>& args);

}  // namespace rivo::tools

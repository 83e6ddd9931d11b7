#pragma once
// rivotool imginfo: what a picture file holds.

#include <string>
#include <vector>

namespace rivo::tools {

int RunImgInfo(const std::vector<std::string>& args);

}  // namespace rivo::tools

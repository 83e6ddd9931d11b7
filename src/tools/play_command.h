#pragma once
// rivotool play: one media file through the player's own items and mixer.

#include <string>
#include <vector>

namespace rivo::tools {

int RunPlay(const std::vector<std::string>& args);

}  // namespace rivo::tools

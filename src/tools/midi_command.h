#pragma once
// rivotool midi: the merged event list of a MIDI file with its times in ms.

#include <string>
#include <vector>

namespace rivo::tools {

int RunMidi(const std::vector<std::string>& args);

}  // namespace rivo::tools

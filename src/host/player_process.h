#pragma once
// The rivoplay process from its command line to its exit code: options,
// the game, the single-instance lock, the settings switch, the private
// temporary folder, the back end, and the player.

#include <ostream>
#include <span>
#include <string>

#include "host/player_parts.h"

namespace rivo {

// args excludes the program name. out gets --help and the MSGBOX lines of
// headless runs; err gets diagnostics.
int RunPlayerProcess(std::span<const std::string> args, PlayerParts& parts, std::ostream& out, std::ostream& err);

}  // namespace rivo

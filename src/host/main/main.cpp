// rivoplay: plays a game folder, a game.dat or a Windows .exe.

#include <iostream>
#include <string>
#include <vector>

#include "host/game_parts.h"
#include "host/player_process.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  rivo::GameParts parts;
  return rivo::RunPlayerProcess(args, parts, std::cout, std::cerr);
}

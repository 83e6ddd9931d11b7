// rivoplay: plays a game folder, a game.dat or a Windows .exe.

#include <iostream>
#include <string>
#include <vector>

#include "host/player_parts.h"
#include "host/player_process.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  rivo::PlayerParts parts;
  return rivo::RunPlayerProcess(args, parts, std::cout, std::cerr);
}

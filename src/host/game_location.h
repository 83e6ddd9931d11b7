#pragma once
// Which game the command line names. GAME may be a folder, its game.dat or a
// Windows .exe carrying the archive; the game folder is the folder itself or
// the file's folder. Without GAME the current folder is the game.

#include <filesystem>
#include <string>
#include <vector>

namespace rivo {

struct GameLocation {
  std::filesystem::path folder;                // absolute
  std::vector<std::filesystem::path> sources;  // every GAME argument, absolute, in order
};

class GameNotFound : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws GameNotFound when an argument names nothing.
GameLocation LocateGame(const std::vector<std::string>& games);

}  // namespace rivo

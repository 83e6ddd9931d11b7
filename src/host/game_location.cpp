#include "host/game_location.h"

namespace rivo {

GameLocation LocateGame(const std::vector<std::string>& games) {
  GameLocation location;
  std::error_code ec;
  if (games.empty()) {
    location.folder = std::filesystem::current_path();
    location.sources.push_back(location.folder);
    return location;
  }
  for (const std::string& game : games) {
    std::filesystem::path path = std::filesystem::absolute(game, ec);
    if (ec || !std::filesystem::exists(path, ec)) throw GameNotFound(game + ": no such file or folder");
    path = path.lexically_normal();
    if (path.filename().empty()) path = path.parent_path();  // "game/" is "game"
    location.sources.push_back(path);
  }
  const std::filesystem::path& first = location.sources.front();
  location.folder = std::filesystem::is_directory(first, ec) ? first : first.parent_path();
  return location;
}

}  // namespace rivo

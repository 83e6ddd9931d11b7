#include "host/game_file_manager.h"

#include "content/archive_location.h"
#include "host/game_files.h"

namespace rivo {

GameFileManager::GameFileManager(const std::filesystem::path& temp_folder,
                                 const std::vector<std::filesystem::path>& disc_roots, bool look_ahead)
    : files_(temp_folder) {
  for (const std::filesystem::path& root : disc_roots) files_.AddDiscRoot(std::filesystem::absolute(root));
  if (look_ahead) ahead_ = std::make_unique<LookAhead>(files_);
}

void GameFileManager::Mount(const GameLocation& game) {
  // Source 0 receives the memory entries.
  files_.MountArchive("");
  files_.SetBaseFolder(game.folder);
  std::error_code ec;
  for (const std::filesystem::path& source : game.sources) {
    if (std::filesystem::is_directory(source, ec)) {
      if (std::optional<std::filesystem::path> archive = FindInFolder(source, "game.dat"))
        files_.MountArchive(*archive);
    } else if (IsExecutableName(source)) {
      if (HasResourceArchive(source))
        files_.MountResource(source, kArchiveResourceName, kArchiveResourceType);
      if (HasAppendedArchive(source)) files_.MountArchive(source);
    } else {
      files_.MountArchive(source);
    }
  }
  if (ahead_) ahead_->Start();
}

}  // namespace rivo

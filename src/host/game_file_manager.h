#pragma once
// The file manager as the host drives it: mounted at start-up from the
// GAME arguments (a folder and its "game.dat", a "game.dat" itself, or a
// Windows executable carrying its archive), ticked every frame.

#include <filesystem>
#include <vector>

#include "content/vr_file_manager.h"
#include "host/player_parts.h"

namespace rivo {

class GameFileManager : public ContentStage {
 public:
  GameFileManager(const std::filesystem::path& temp_folder, const std::vector<std::filesystem::path>& disc_roots);

  void Mount(const GameLocation& game) override;
  void Tick(int32_t frame_delta_ms) override { files_.Tick(); }

  TVrFileManager& Files() { return files_; }

 private:
  TVrFileManager files_;
};

}  // namespace rivo

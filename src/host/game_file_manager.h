#pragma once
// The file manager as the host drives it: mounted at start-up from the
// GAME arguments (a folder and its "game.dat", a "game.dat" itself, or a
// Windows executable carrying its archive), ticked every frame. Once
// mounted, the look-ahead loader starts reading what the game will need.

#include <filesystem>
#include <memory>
#include <vector>

#include "content/vr_file_manager.h"
#include "host/look_ahead.h"
#include "host/player_parts.h"

namespace rivo {

class GameFileManager : public ContentStage {
 public:
  // look_ahead: whether pictures and pages are read ahead on a thread of their own.
  GameFileManager(const std::filesystem::path& temp_folder, const std::vector<std::filesystem::path>& disc_roots,
                  bool look_ahead = true);

  void Mount(const GameLocation& game) override;
  void Tick(int32_t frame_delta_ms) override { files_.Tick(); }

  TVrFileManager& Files() { return files_; }
  // nullptr when switched off.
  LookAhead* Ahead() { return ahead_.get(); }

 private:
  TVrFileManager files_;
  // Declared after the files it reads: its thread stops first.
  std::unique_ptr<LookAhead> ahead_;
};

}  // namespace rivo

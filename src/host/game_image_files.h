#pragma once
// The image cache's files in the player: whatever the game's virtual file
// manager finds (loose files, archives, discs).

#include "graphics/image_files.h"

namespace rivo {

class TVrFileManager;

class GameImageFiles : public TImageFileSource {
 public:
  // files may be nullptr: then no picture exists.
  explicit GameImageFiles(TVrFileManager* files) : files_(files) {}
  std::optional<std::string> ReadImageFile(const std::string& name) override;

 private:
  TVrFileManager* files_;
};

}  // namespace rivo

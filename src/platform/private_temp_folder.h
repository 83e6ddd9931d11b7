#pragma once
// A temporary folder that belongs to this process alone (mode 0700, a fresh
// random name), removed with everything in it when the player ends. Copies
// of archived media and other scratch files go here, never straight into
// the shared temporary folder, so two players cannot overwrite each other's
// files and nobody can plant a link under a name the player will write.

#include <filesystem>

namespace rivo {

class PrivateTempFolder {
 public:
  // Creates the folder inside base. Throws PlatformError on failure.
  explicit PrivateTempFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path());
  PrivateTempFolder(const PrivateTempFolder&) = delete;
  PrivateTempFolder& operator=(const PrivateTempFolder&) = delete;
  ~PrivateTempFolder();

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace rivo

#pragma once
// The folders where a game disc may be found: the mount points of optical
// media (iso9660 and udf file systems in the mount table) and the folders
// the user names on the command line (--disc-root). Discs come and go while
// the player runs, so the list is read again at every disc request.

#include <filesystem>
#include <vector>

namespace rivo {

class TDiscRoots {
 public:
  explicit TDiscRoots(std::filesystem::path mount_table = "/proc/self/mounts");

  // A folder that is searched like a disc, after the mounted media.
  void AddRoot(std::filesystem::path folder);
  // Reads the mount table again.
  void Rescan();
  // Mounted media first (mount table order), then the added folders; only
  // folders that exist.
  const std::vector<std::filesystem::path>& Roots() const { return roots_; }
  // True when path lies in one of the roots.
  bool Holds(const std::filesystem::path& path) const;

 private:
  std::filesystem::path mount_table_;
  std::vector<std::filesystem::path> added_;
  std::vector<std::filesystem::path> roots_;
};

}  // namespace rivo

#pragma once
// One player per game: a second start on the same game folder must end at
// once. The lock is an flock on a file named from the folder's real path,
// so two spellings of one folder (a link, "./game", "game/") are one game.
// The kernel drops the lock when the process ends, however it ends.

#include <filesystem>
#include <memory>

namespace rivo {

class InstanceLock {
 public:
  // $XDG_RUNTIME_DIR when it names a folder, else the system temporary folder.
  static std::filesystem::path DefaultLockFolder();
  // The lock file of a game folder (which must exist).
  static std::filesystem::path LockFileFor(const std::filesystem::path& game_folder,
                                           const std::filesystem::path& lock_folder);

  // Takes the lock, or returns nullptr when another process (or another
  // InstanceLock of this one) holds it. Throws PlatformError when the lock
  // file cannot be opened.
  static std::unique_ptr<InstanceLock> TryAcquire(const std::filesystem::path& game_folder,
                                                  const std::filesystem::path& lock_folder = DefaultLockFolder());

  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

 private:
  explicit InstanceLock(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace rivo

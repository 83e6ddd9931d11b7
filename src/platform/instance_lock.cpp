#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform_error.h"

namespace rivo {
namespace {

// FNV-1a: short, stable across runs and builds, and any byte may occur in
// the path, so the name stays a plain file name whatever the folder is called.
uint64_t HashPath(const std::string& s) {
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : s) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

}  // namespace

std::filesystem::path InstanceLock::DefaultLockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::error_code ec;
  if (runtime && *runtime && std::filesystem::is_directory(runtime, ec)) return runtime;
  return std::filesystem::temp_directory_path();
}

std::filesystem::path InstanceLock::LockFileFor(const std::filesystem::path& game_folder,
                                                const std::filesystem::path& lock_folder) {
  std::string real = std::filesystem::canonical(game_folder).string();
  char name[64];
  std::snprintf(name, sizeof name, "rivoplay-%016llx.lock", static_cast<unsigned long long>(HashPath(real)));
  return lock_folder / name;
}

std::unique_ptr<InstanceLock> InstanceLock::TryAcquire(const std::filesystem::path& game_folder,
                                                       const std::filesystem::path& lock_folder) {
  std::filesystem::path file = LockFileFor(game_folder, lock_folder);
  // O_NOFOLLOW: in a shared temporary folder someone else may have planted a link.
  int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) throw PlatformError("cannot open the lock file " + file.string() + ": " + std::strerror(errno));
  int rc;
  do rc = ::flock(fd, LOCK_EX | LOCK_NB);
  while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return nullptr;
    throw PlatformError("cannot lock " + file.string() + ": " + std::strerror(error));
  }
  return std::unique_ptr<InstanceLock>(new InstanceLock(fd));
}

// The file stays: removing it would let a third player lock a fresh file
// while a second one still waits on the old one.
InstanceLock::~InstanceLock() { ::close(fd_); }

}  // namespace rivo

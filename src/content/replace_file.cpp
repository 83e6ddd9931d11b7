#include "content/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "common/error.h"

namespace rivo {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const fs::path& path, const char* step, int error) {
  throw RivoError("cannot " + std::string(step) + " " + path.string() + ": " + std::strerror(error));
}

// An open descriptor closed on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

void WriteAll(int fd, std::string_view bytes, const fs::path& path) {
  while (!bytes.empty()) {
    ssize_t done = ::write(fd, bytes.data(), bytes.size());
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) Fail(path, "write", done < 0 ? errno : ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(done));
  }
}

// Writes the temporary file, flushed; removes it again on failure.
fs::path WriteTemporary(const fs::path& path, std::string_view bytes) {
  std::string pattern = path.string() + ".XXXXXX";
  int fd = ::mkstemp(pattern.data());
  if (fd < 0) Fail(path, "create a temporary file beside", errno);
  Descriptor file(fd);
  fs::path temp = pattern;
  try {
    if (::fchmod(file.get(), 0644) != 0) Fail(temp, "set the mode of", errno);
    WriteAll(file.get(), bytes, temp);
    if (::fsync(file.get()) != 0) Fail(temp, "flush", errno);
    if (::close(file.Release()) != 0) Fail(temp, "close", errno);
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
  return temp;
}

// Keeps the old file reachable as ".bak" while the rename is under way (a
// hard link costs nothing; a file system without links gets a copy).
void KeepBackup(const fs::path& path, const fs::path& backup) {
  ::unlink(backup.c_str());
  if (::link(path.c_str(), backup.c_str()) == 0) return;
  std::error_code error;
  fs::copy_file(path, backup, fs::copy_options::overwrite_existing, error);
}

void FlushFolder(const fs::path& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void ReplaceFile(const fs::path& path, std::string_view bytes) {
  fs::path temp = WriteTemporary(path, bytes);
  fs::path backup = path;
  backup += ".bak";
  std::error_code error;
  bool had_old = fs::exists(path, error);
  if (had_old) KeepBackup(path, backup);
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    int reason = errno;
    ::unlink(temp.c_str());
    Fail(path, "replace", reason);
  }
  FlushFolder(path.parent_path());
  if (had_old) ::unlink(backup.c_str());
}

}  // namespace rivo

#include "content/big_file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/error.h"

namespace rivo {

std::filesystem::path TQnBigFileStream::PartPath(const std::filesystem::path& path, int part) {
  if (part == 0) return path;
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".%.3d", part);
  std::filesystem::path stem = path;
  stem.replace_extension();
  return stem.string() + suffix;
}

TQnBigFileStream::TQnBigFileStream(std::filesystem::path path, int mode, int64_t part_size)
    : path_(std::move(path)), access_(mode & 3), part_size_(part_size) {
  if (access_ == kRead || access_ == kReadWrite) {
    int flags = (access_ == kRead ? O_RDONLY : O_RDWR) | O_CLOEXEC;
    for (int part = 0;; ++part) {
      int fd = ::open(PartPath(path_, part).c_str(), flags);
      if (fd < 0) break;
      parts_.push_back(fd);
    }
    if (parts_.empty() && access_ == kRead)
      throw RivoError(path_.string() + ": cannot open (" + std::strerror(errno) + ")");
  } else {
    for (int part = 0;; ++part) {
      std::error_code ec;
      if (!std::filesystem::remove(PartPath(path_, part), ec)) break;
    }
  }
}

TQnBigFileStream::~TQnBigFileStream() {
  for (int fd : parts_)
    if (fd >= 0) ::close(fd);
}

int64_t TQnBigFileStream::PartLength(std::size_t part) {
  struct stat st;
  return ::fstat(parts_[part], &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
}

int64_t TQnBigFileStream::GetSize() {
  int64_t size = 0;
  for (std::size_t part = 0; part < parts_.size(); ++part) size += PartLength(part);
  return size;
}

void TQnBigFileStream::SetPosition(int64_t position) {
  position_ = std::clamp<int64_t>(position, 0, GetSize());
}

int64_t TQnBigFileStream::Read(void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    std::size_t part = static_cast<std::size_t>(position_ / part_size_);
    if (part >= parts_.size()) break;
    int64_t offset = position_ % part_size_;
    int64_t want = std::min(part_size_ - offset, count - done);
    ssize_t got = ::pread(parts_[part], static_cast<char*>(buffer) + done, static_cast<std::size_t>(want), offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += got;
    position_ += got;
    // A part shorter than the part size ends the stream.
    if (got < want) break;
  }
  return done;
}

bool TQnBigFileStream::EnsurePart(std::size_t part) {
  while (parts_.size() <= part) {
    int fd = ::open(PartPath(path_, static_cast<int>(parts_.size())).c_str(),
                    O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    parts_.push_back(fd);
  }
  return true;
}

int64_t TQnBigFileStream::Write(const void* buffer, int64_t count) {
  if (access_ == kRead) return 0;
  int64_t done = 0;
  while (done < count) {
    std::size_t part = static_cast<std::size_t>(position_ / part_size_);
    if (!EnsurePart(part)) break;
    int64_t offset = position_ % part_size_;
    int64_t want = std::min(part_size_ - offset, count - done);
    ssize_t put = ::pwrite(parts_[part], static_cast<const char*>(buffer) + done, static_cast<std::size_t>(want), offset);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) break;
    done += put;
    position_ += put;
  }
  return done;
}

}  // namespace rivo

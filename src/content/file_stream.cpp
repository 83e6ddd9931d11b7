#include "content/file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/error.h"

namespace rivo {

namespace {

int OpenFlags(FileOpen mode) {
  switch (mode) {
    case FileOpen::kRead: return O_RDONLY;
    case FileOpen::kReadWrite: return O_RDWR;
    case FileOpen::kCreate: return O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW;
    case FileOpen::kCreateNew: return O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
  }
  return O_RDONLY;
}

}  // namespace

TFileStream::TFileStream(const std::filesystem::path& path, FileOpen mode) {
  fd_ = ::open(path.c_str(), OpenFlags(mode) | O_CLOEXEC, mode == FileOpen::kCreateNew ? 0600 : 0644);
  if (fd_ < 0)
    throw RivoError(path.string() + ": cannot open (" + std::strerror(errno) + ")");
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    ssize_t got = ::pread(fd_, static_cast<char*>(buffer) + done, static_cast<std::size_t>(count - done), pos_);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += got;
    pos_ += got;
  }
  return done;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    ssize_t put = ::pwrite(fd_, static_cast<const char*>(buffer) + done, static_cast<std::size_t>(count - done), pos_);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) break;
    done += put;
    pos_ += put;
  }
  return done;
}

int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = origin == SeekOrigin::kBeginning ? 0 : origin == SeekOrigin::kCurrent ? pos_ : GetSize();
  int64_t target = base + offset;
  if (target < 0) throw RivoError("stream seek before the beginning");
  pos_ = target;
  return pos_;
}

int64_t TFileStream::GetSize() {
  struct stat st;
  return ::fstat(fd_, &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
}

void TFileStream::Sync() {
  if (::fsync(fd_) != 0) throw RivoError(std::string("cannot write to the disc (") + std::strerror(errno) + ")");
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  TFileStream file(path, FileOpen::kRead);
  std::string bytes(static_cast<std::size_t>(file.GetSize()), '\0');
  bytes.resize(static_cast<std::size_t>(file.Read(bytes.data(), static_cast<int64_t>(bytes.size()))));
  return bytes;
}

}  // namespace rivo

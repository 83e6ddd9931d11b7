#pragma once
// TFileStream: an ordinary stream over one file on disk (a POSIX descriptor).

#include <cstdint>
#include <filesystem>
#include <string>

#include "content/stream.h"

namespace rivo {

enum class FileOpen {
  kRead,       // existing file, read only
  kReadWrite,  // existing file
  kCreate,     // create or truncate, write only; never through a symbolic link
  // A new file that must not exist yet, and never through a symbolic link:
  // temporary copies are made this way so that nothing planted is written through.
  kCreateNew,
};

class TFileStream : public TStream {
 public:
  // Throws RivoError naming the path when the file cannot be opened.
  TFileStream(const std::filesystem::path& path, FileOpen mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t GetSize() override;

  // Pushes written bytes to the disc (before a rename puts the file in place).
  void Sync();

 private:
  int fd_ = -1;
  int64_t pos_ = 0;
};

// The whole content of a file, or RivoError.
std::string ReadWholeFile(const std::filesystem::path& path);

}  // namespace rivo

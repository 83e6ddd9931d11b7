#pragma once
// TQnBigFileStream: one logical stream over a container that may be split
// into part files. Part 0 is the path itself; part i >= 1 is the path without
// its extension plus ".%03d" (game.dat, game.001, game.002, ...). Each part
// holds exactly kPartSize bytes except the last, so the logical position p
// lies in part p / kPartSize at offset p % kPartSize.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "content/big_stream.h"

namespace rivo {

class TQnBigFileStream : public TQnBigStream {
 public:
  static constexpr int64_t kPartSize = int64_t{1} << 30;

  // Access in bits 0-1: 0 read, 1 write, 2 read-write. Sharing bits (0x20
  // denies others writing) are accepted and not enforced: the host has no
  // mandatory locks.
  static constexpr int kRead = 0;
  static constexpr int kWrite = 1;
  static constexpr int kReadWrite = 2;
  static constexpr int kDenyWrite = 0x20;

  // Read and read-write open every existing part in turn (a missing part 0
  // is an error for read); write first deletes every existing part.
  // part_size is kPartSize except in tests of the part walk.
  TQnBigFileStream(std::filesystem::path path, int mode, int64_t part_size = kPartSize);
  ~TQnBigFileStream() override;
  TQnBigFileStream(const TQnBigFileStream&) = delete;
  TQnBigFileStream& operator=(const TQnBigFileStream&) = delete;

  int64_t GetSize() override;
  int64_t GetPosition() override { return position_; }
  // Clamped to the size.
  void SetPosition(int64_t position) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Read(void* buffer, int64_t count) override;

  const std::filesystem::path& path() const { return path_; }
  static std::filesystem::path PartPath(const std::filesystem::path& path, int part);

 private:
  int64_t PartLength(std::size_t part);
  bool EnsurePart(std::size_t part);

  std::filesystem::path path_;
  int access_;
  int64_t part_size_;
  int64_t position_ = 0;
  std::vector<int> parts_;  // file descriptors, part 0 first
};

}  // namespace rivo

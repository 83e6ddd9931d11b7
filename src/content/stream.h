#pragma once
// TStream: the ordinary byte stream that loaders read from and that the file
// manager fills (memory streams, files on disk, windows over an archive).
// Positions are 64-bit so that a window can sit anywhere in a large archive.

#include <cstdint>

namespace rivo {

enum class SeekOrigin { kBeginning, kCurrent, kEnd };

class TStream {
 public:
  virtual ~TStream() = default;
  // Each returns the number of bytes moved (fewer at the end, never negative).
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // Returns the new position.
  virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;
  virtual int64_t GetSize();

  int64_t GetPosition() { return Seek(0, SeekOrigin::kCurrent); }
  void SetPosition(int64_t position) { Seek(position, SeekOrigin::kBeginning); }
  int64_t Remaining() { return GetSize() - GetPosition(); }

  // Exactly count bytes, or RivoError.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
};

}  // namespace rivo

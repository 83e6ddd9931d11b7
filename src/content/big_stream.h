#pragma once
// TQnBigStream: the 64-bit stream family the archive code works on. Archives
// may exceed 2 GiB and be split over several files, so positions and counts
// are int64 throughout.

#include <cstdint>

#include "content/stream.h"

namespace rivo {

class TQnBigStream {
 public:
  virtual ~TQnBigStream() = default;

  virtual int64_t GetSize() = 0;
  virtual int64_t GetPosition() = 0;
  virtual void SetPosition(int64_t position) = 0;
  // Each returns the number of bytes moved.
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  virtual int64_t Read(void* buffer, int64_t count) = 0;

  // Reads count bytes from source and writes them here; a count of 0 means
  // the whole source from its position 0.
  virtual int64_t CopyFromBig(TQnBigStream& source, int64_t count);
  virtual int64_t CopyFrom(TStream& source, int64_t count);
  // Reads count bytes from here into dest; 0 moves nothing.
  virtual int64_t CopyTo(TStream& dest, int64_t count);
};

}  // namespace rivo

#pragma once
// TQnBuffBigStream: read-ahead over a big stream, for tables read a few bytes
// at a time (the archive's name table). When it goes away it moves the
// underlying stream back over the bytes it fetched but never handed out, so
// the stream stands exactly after the last byte read.

#include <cstdint>
#include <vector>

#include "content/big_stream.h"

namespace rivo {

class TQnBuffBigStream {
 public:
  static constexpr int64_t kChunkSize = 102400;

  explicit TQnBuffBigStream(TQnBigStream& stream, int64_t chunk_size = kChunkSize);
  ~TQnBuffBigStream();
  TQnBuffBigStream(const TQnBuffBigStream&) = delete;
  TQnBuffBigStream& operator=(const TQnBuffBigStream&) = delete;

  // Returns the bytes delivered (fewer only at the end of the stream).
  int64_t Read(void* buffer, int64_t count);
  // Bytes between the reader's position and the end of the stream.
  int64_t Remaining() const { return stream_size_ - consumed_; }

 private:
  TQnBigStream& stream_;
  int64_t chunk_size_;
  int64_t stream_size_;
  int64_t consumed_;  // logical position of the next byte handed out
  std::vector<char> buffer_;
  std::size_t used_ = 0;
};

}  // namespace rivo

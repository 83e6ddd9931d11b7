#include "content/buff_big_stream.h"

#include <algorithm>
#include <cstring>

namespace rivo {

TQnBuffBigStream::TQnBuffBigStream(TQnBigStream& stream, int64_t chunk_size)
    : stream_(stream), chunk_size_(chunk_size), stream_size_(stream.GetSize()), consumed_(stream.GetPosition()) {}

TQnBuffBigStream::~TQnBuffBigStream() {
  if (used_ < buffer_.size()) stream_.SetPosition(consumed_);
}

int64_t TQnBuffBigStream::Read(void* buffer, int64_t count) {
  char* out = static_cast<char*>(buffer);
  int64_t done = 0;
  while (done < count) {
    if (used_ == buffer_.size()) {
      int64_t want = std::min(chunk_size_, stream_size_ - stream_.GetPosition());
      if (want <= 0) break;
      buffer_.resize(static_cast<std::size_t>(want));
      buffer_.resize(static_cast<std::size_t>(std::max<int64_t>(0, stream_.Read(buffer_.data(), want))));
      used_ = 0;
      if (buffer_.empty()) break;
    }
    std::size_t n = std::min(buffer_.size() - used_, static_cast<std::size_t>(count - done));
    std::memcpy(out + done, buffer_.data() + used_, n);
    used_ += n;
    done += static_cast<int64_t>(n);
    consumed_ += static_cast<int64_t>(n);
  }
  return done;
}

}  // namespace rivo

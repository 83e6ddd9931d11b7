#include "media/memory_pcm_stream.h"

#include <algorithm>
#include <cstring>

namespace rivo {

MemoryPcmStream::MemoryPcmStream(const PcmFormat& format, std::string bytes)
    : format_(format), bytes_(std::move(bytes)) {
  bytes_.resize(bytes_.size() / format_.BlockAlign * format_.BlockAlign);
}

int64_t MemoryPcmStream::Read(void* buffer, int64_t count) {
  int64_t n = std::clamp<int64_t>(GetSize() - position_, 0, std::max<int64_t>(count, 0));
  std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

int64_t MemoryPcmStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = origin == SeekOrigin::kBeginning ? 0 : origin == SeekOrigin::kCurrent ? position_ : GetSize();
  position_ = std::clamp<int64_t>(base + offset, 0, GetSize());
  return position_;
}

}  // namespace rivo

namespace rivo {

const int16_t* MemoryPcmStream::ResidentMixSamples() const {
  return format_ == kMixFormat ? reinterpret_cast<const int16_t*>(bytes_.data()) : nullptr;
}

}  // namespace rivo

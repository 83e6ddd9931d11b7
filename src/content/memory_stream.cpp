#include "content/memory_stream.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "common/error.h"

namespace rivo {

TQnMemoryStream::TQnMemoryStream(std::string_view bytes) {
  SetSize(static_cast<int64_t>(bytes.size()));
  if (!bytes.empty()) std::memcpy(data_.get(), bytes.data(), bytes.size());
}

int64_t TQnMemoryStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || pos_ >= size_) return 0;
  std::size_t n = std::min(static_cast<std::size_t>(count), size_ - pos_);
  std::memcpy(buffer, data_.get() + pos_, n);
  pos_ += n;
  return static_cast<int64_t>(n);
}

int64_t TQnMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  std::size_t n = static_cast<std::size_t>(count);
  std::size_t end = pos_ + n;
  if (end > size_) {
    if (end > capacity_) Reserve(std::max(end, capacity_ + capacity_ / 2));
    // A write past the end after a seek leaves a gap: it reads as zeros.
    if (pos_ > size_) std::memset(data_.get() + size_, 0, pos_ - size_);
    size_ = end;
  }
  std::memcpy(data_.get() + pos_, buffer, n);
  pos_ = end;
  return count;
}

int64_t TQnMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = origin == SeekOrigin::kBeginning ? 0
                 : origin == SeekOrigin::kCurrent ? static_cast<int64_t>(pos_)
                                                  : static_cast<int64_t>(size_);
  int64_t target = base + offset;
  if (target < 0) throw RivoError("stream seek before the beginning");
  pos_ = static_cast<std::size_t>(target);
  return target;
}

void TQnMemoryStream::SetSize(int64_t size) {
  if (size < 0) throw RivoError("negative stream size");
  std::size_t n = static_cast<std::size_t>(size);
  if (n > capacity_) Reserve(n);
  size_ = n;
}

void TQnMemoryStream::SetSizeKeeping(int64_t size, int64_t keep) {
  if (size < 0 || keep < 0) throw RivoError("negative stream size");
  const auto n = static_cast<std::size_t>(size);
  if (n > capacity_) {
    std::unique_ptr<char, Free> grown(static_cast<char*>(std::malloc(n)));
    if (!grown) throw std::bad_alloc();
    const std::size_t kept = std::min({static_cast<std::size_t>(keep), size_, n});
    if (kept > 0) std::memcpy(grown.get(), data_.get(), kept);
    data_ = std::move(grown);
    capacity_ = n;
  }
  size_ = n;
}

void TQnMemoryStream::Clear() {
  data_.reset();
  size_ = capacity_ = pos_ = 0;
}

void TQnMemoryStream::ShrinkToFit() {
  if (capacity_ > size_) Reserve(size_);
}

void TQnMemoryStream::Reserve(std::size_t capacity) {
  char* grown = static_cast<char*>(std::realloc(data_.get(), capacity ? capacity : 1));
  if (!grown) throw std::bad_alloc();
  data_.release();
  data_.reset(grown);
  capacity_ = capacity;
}

}  // namespace rivo

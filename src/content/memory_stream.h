#pragma once
// TQnMemoryStream: a growable block of memory read and written like a file.
// Memory entries, save data and every entry the file manager loads live in
// one. Growing never clears the new bytes first: an entry of 100 MB is
// written once, not zeroed and then written. The block grows with realloc,
// which moves blocks of a mapping of their own by remapping pages; a block
// of the heap is copied, inside the heap's lock, so a stream whose bytes
// past some point are of no use grows with SetSizeKeeping, which copies
// only what is kept, outside the lock.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "content/stream.h"

namespace rivo {

class TQnMemoryStream : public TStream {
 public:
  TQnMemoryStream() = default;
  explicit TQnMemoryStream(std::string_view bytes);

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t GetSize() override { return static_cast<int64_t>(size_); }

  // Sets the size; bytes beyond the old size are undefined until written.
  // The position is kept (it may then lie beyond the end).
  void SetSize(int64_t size);
  // SetSize, keeping only the first keep bytes: the rest is undefined.
  void SetSizeKeeping(int64_t size, int64_t keep);
  void Clear();
  // Gives back the room reserved beyond the size.
  void ShrinkToFit();

  char* Data() { return data_.get(); }
  const char* Data() const { return data_.get(); }
  std::string_view View() const { return {data_.get(), size_}; }
  std::string ToString() const { return std::string(View()); }

 private:
  void Reserve(std::size_t capacity);

  struct Free {
    void operator()(char* p) const { std::free(p); }
  };
  std::unique_ptr<char, Free> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  std::size_t pos_ = 0;
};

}  // namespace rivo

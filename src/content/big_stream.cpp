#include "content/big_stream.h"

#include <algorithm>
#include <vector>

#include "content/memory_stream.h"

namespace rivo {

namespace {

constexpr int64_t kCopyBufferSize = 1 << 20;

// Moves up to count bytes from read to write through one buffer; stops when
// the source runs dry or the destination takes less than offered.
template <typename ReadFn, typename WriteFn>
int64_t Pump(int64_t count, ReadFn read, WriteFn write) {
  std::vector<char> buffer(static_cast<std::size_t>(std::min(count, kCopyBufferSize)));
  int64_t moved = 0;
  while (moved < count) {
    int64_t got = read(buffer.data(), std::min<int64_t>(count - moved, static_cast<int64_t>(buffer.size())));
    if (got <= 0) break;
    int64_t put = write(buffer.data(), got);
    moved += put;
    if (put < got) break;
  }
  return moved;
}

}  // namespace

int64_t TQnBigStream::CopyFromBig(TQnBigStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.GetSize();
  }
  return Pump(count, [&](char* b, int64_t n) { return source.Read(b, n); },
              [&](const char* b, int64_t n) { return Write(b, n); });
}

int64_t TQnBigStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.GetSize();
  }
  return Pump(count, [&](char* b, int64_t n) { return source.Read(b, n); },
              [&](const char* b, int64_t n) { return Write(b, n); });
}

int64_t TQnBigStream::CopyTo(TStream& dest, int64_t count) {
  if (count <= 0) return 0;
  // Straight into a memory stream's own block: one read, no buffer in between.
  if (auto* memory = dynamic_cast<TQnMemoryStream*>(&dest)) {
    int64_t at = memory->GetPosition();
    int64_t old_size = memory->GetSize();
    if (at + count > old_size) memory->SetSize(at + count);
    if (at > old_size) std::fill(memory->Data() + old_size, memory->Data() + at, '\0');
    int64_t got = Read(memory->Data() + at, count);
    if (at + got > old_size) memory->SetSize(std::max(old_size, at + got));
    memory->SetPosition(at + got);
    return got;
  }
  return Pump(count, [&](char* b, int64_t n) { return Read(b, n); },
              [&](const char* b, int64_t n) { return dest.Write(b, n); });
}

}  // namespace rivo

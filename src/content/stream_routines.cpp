#include "content/stream_routines.h"

#include <algorithm>
#include <vector>

#include "common/error.h"
#include "content/memory_stream.h"

namespace rivo {

namespace {
constexpr int64_t kCopyBufferSize = 10 * 1024 * 1024;
}

void WriteString(TStream& stream, std::string_view s) {
  WriteInt32(stream, static_cast<int32_t>(s.size()));
  stream.WriteBuffer(s.data(), static_cast<int64_t>(s.size()));
}

std::string ReadString(TStream& stream) {
  int32_t length = ReadInt32(stream);
  if (length < 0 || length > stream.Remaining()) throw RivoError("damaged data: string length out of range");
  std::string s(static_cast<std::size_t>(length), '\0');
  stream.ReadBuffer(s.data(), length);
  return s;
}

void WriteInt32(TStream& stream, int32_t value) {
  uint8_t b[4];
  for (int i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
  stream.WriteBuffer(b, 4);
}

int32_t ReadInt32(TStream& stream) {
  uint8_t b[4];
  stream.ReadBuffer(b, 4);
  return static_cast<int32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24);
}

void WriteByte(TStream& stream, uint8_t value) { stream.WriteBuffer(&value, 1); }

uint8_t ReadByte(TStream& stream) {
  uint8_t b;
  stream.ReadBuffer(&b, 1);
  return b;
}

int64_t CopyStream(TStream& dest, TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.GetSize();
  }
  if (auto* memory = dynamic_cast<TQnMemoryStream*>(&source)) {
    int64_t at = memory->GetPosition();
    int64_t n = std::clamp<int64_t>(memory->GetSize() - at, 0, count);
    dest.WriteBuffer(memory->Data() + at, n);
    memory->SetPosition(at + n);
    return n;
  }
  std::vector<char> buffer(static_cast<std::size_t>(std::min(count, kCopyBufferSize)));
  int64_t copied = 0;
  while (copied < count) {
    int64_t got = source.Read(buffer.data(), std::min<int64_t>(count - copied, static_cast<int64_t>(buffer.size())));
    if (got <= 0) break;
    dest.WriteBuffer(buffer.data(), got);
    copied += got;
  }
  return copied;
}

}  // namespace rivo

#include "content/stream.h"

#include "common/error.h"

namespace rivo {

int64_t TStream::GetSize() {
  int64_t here = GetPosition();
  int64_t size = Seek(0, SeekOrigin::kEnd);
  Seek(here, SeekOrigin::kBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count != 0 && Read(buffer, count) != count) throw RivoError("stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count != 0 && Write(buffer, count) != count) throw RivoError("stream write error");
}

}  // namespace rivo

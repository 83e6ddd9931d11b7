#include "scenario/status_part.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"

namespace rivo {

void KeptReadMarks::SaveToStream(ByteWriter& out) const {
  if (!bytes_.empty()) {
    out.Bytes(bytes_);
    return;
  }
  out.I32(0);     // no pages
  out.String(""); // the pending mark: no page,
  out.I32(0);     // command position,
  out.I32(0);     // page index,
  out.String(""); // no window
}

void KeptReadMarks::LoadFromStream(ByteReader& in, int32_t version) {
  if (version < 100) {
    bytes_.clear();
    return;
  }
  const std::size_t start = in.Position();
  // An item is at least a name length and a pair count.
  std::size_t items = in.Count(in.I32(), 8);
  for (std::size_t i = 0; i < items; ++i) {
    in.String();
    std::size_t pairs = in.Count(in.I32(), 8);
    in.Skip(pairs * 8);
  }
  in.String();
  in.I32();
  in.I32();
  in.String();
  const std::size_t end = in.Position();
  in.Seek(start);
  bytes_ = in.Bytes(end - start);
}

void KeptImageCacheState::SaveToStream(ByteWriter& out) const { out.U8(value_); }

void KeptImageCacheState::LoadFromStream(ByteReader& in, int32_t version) {
  if (version > 100) value_ = in.U8();
}

}  // namespace rivo

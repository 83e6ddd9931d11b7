#pragma once
// TVrFile: one entry of a content source: an archive entry (where its bytes
// lie in the archive) or a memory entry made at run time (its Data).

#include <cstdint>
#include <memory>

#include "common/hash_collection.h"
#include "content/memory_stream.h"

namespace rivo {

class TVrFile : public THashCollectionItem {
 public:
  int64_t Offset = 0;  // absolute position of the bytes in the archive stream
  int64_t Size = 0;    // bytes in the archive (compressed size when compressed)
  std::unique_ptr<TQnMemoryStream> Data;  // content of a memory entry
  uint8_t Stored = 0;    // non-zero: the bytes are the content; 0: a zlib stream
  int32_t FileTime = 0;  // packed DOS date and time of the loose file it came from
  uint32_t Crc = 0;
  uint8_t CrcOfRaw = 0;  // non-zero: Crc is of the content, else of the bytes as stored
};

}  // namespace rivo

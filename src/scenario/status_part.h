#pragma once
// The stand-ins for the status data's parts of the layers above (the read
// marks, the image cache's state): until their owners register, these
// carry the bytes through unchanged, so that a player without those parts
// never loses what a fuller one stored.

#include <cstdint>
#include <string>

#include "scenario/save_part.h"

namespace rivo {

// The read-mark list as bytes: int32 item count, each item a page name and
// int32 n followed by n command positions and n page indexes; then the
// pending mark (page name, command position, page index, window name).
// Saved data before version 100 holds no list. Empty until loaded.
class KeptReadMarks : public SavePart {
 public:
  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;
  // The stored bytes; empty for the empty list.
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// The image cache's state: one byte (the reduce flag), held by saved data
// above version 100.
class KeptImageCacheState : public SavePart {
 public:
  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;
  uint8_t Value() const { return value_; }

 private:
  uint8_t value_ = 0;
};

}  // namespace rivo

#pragma once
// StatusPart: a piece of the status data that belongs to a layer the
// scenario does not reach (the read marks of the message windows, the
// image cache's state). The owner registers itself through this interface;
// until it does, the kept forms below carry the bytes through unchanged, so
// that a player without those parts never loses what a fuller one stored.

#include <cstdint>
#include <string>

namespace rivo {

class ByteReader;
class ByteWriter;

class StatusPart {
 public:
  virtual ~StatusPart() = default;
  virtual void SaveToStream(ByteWriter& out) const = 0;
  // Throws LoadError on damaged data, having changed nothing.
  virtual void LoadFromStream(ByteReader& in, int32_t version) = 0;
};

// The read-mark list as bytes: int32 item count, each item a page name and
// int32 n followed by n command positions and n page indexes; then the
// pending mark (page name, command position, page index, window name).
// Saved data before version 100 holds no list. Empty until loaded.
class KeptReadMarks : public StatusPart {
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
class KeptImageCacheState : public StatusPart {
 public:
  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;
  uint8_t Value() const { return value_; }

 private:
  uint8_t value_ = 0;
};

}  // namespace rivo

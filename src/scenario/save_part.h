#pragma once
// SavePart: a section of the save file that belongs to a layer the
// scenario does not reach (the read marks of the message windows, the
// image cache's state, the message history). The owner registers itself
// through this interface; until it does, a stand-in keeps the section
// readable and writable (status_part.h, empty_history.h).

#include <cstdint>

namespace rivo {

class ByteReader;
class ByteWriter;

class SavePart {
 public:
  virtual ~SavePart() = default;
  virtual void SaveToStream(ByteWriter& out) const = 0;
  // version: the save's version. Throws LoadError on damaged data.
  virtual void LoadFromStream(ByteReader& in, int32_t version) = 0;
};

}  // namespace rivo

#pragma once
// The player's read marks as a part of the status data.

#include "scenario/status_part.h"
#include "text/rivo_read_list.h"

namespace rivo {

class ReadListPart : public SavePart {
 public:
  explicit ReadListPart(TRivoReadList& list) : list_(list) {}
  void SaveToStream(ByteWriter& out) const override { list_.SaveToStream(out); }
  // The status data has read the entry once into kept parts before, so
  // damage never reaches here.
  void LoadFromStream(ByteReader& in, int32_t version) override { list_.LoadFromStream(in, version); }

 private:
  TRivoReadList& list_;
};

}  // namespace rivo

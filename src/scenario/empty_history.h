#pragma once
// The message history's section of a game save, for a player that keeps no
// history yet: it writes the empty form (the default format alone, with
// zero metrics and no entries) and reads the section of every save version
// through to its end, dropping what it held. Loading a save starts the
// history afresh anyway; a save made now loads in a player that has one.

#include "scenario/save_part.h"

namespace rivo {

class EmptyHistory : public SavePart {
 public:
  void SaveToStream(ByteWriter& out) const override;
  // Saves before version 135 hold one history instead of the format list.
  void LoadFromStream(ByteReader& in, int32_t version) override;
};

}  // namespace rivo

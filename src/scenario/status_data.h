#pragma once
// The status entry of the save file ("STATUSSAVEDATA"): what survives every
// game save and every restart. The tag "Status103" (no length prefix), the
// status variables, the read marks, the image cache's state byte and, from
// version 103, the persistent tables.

#include <cstdint>
#include <string>
#include <string_view>

namespace rivo {

class TParamCollection;
class TDBManager;
class SavePart;

struct StatusSections {
  TParamCollection* variables = nullptr;
  TDBManager* tables = nullptr;
  SavePart* read_marks = nullptr;
  SavePart* image_cache = nullptr;

  // The status data is written only when every part exists.
  bool Complete() const { return variables && tables && read_marks && image_cache; }
};

constexpr int32_t kStatusVersion = 103;

// The version the entry's tag names: the three digits after "Status"
// (0 when they are no number); 0 for an entry without the tag.
int32_t StatusVersionOf(std::string_view entry);

std::string WriteStatusEntry(const StatusSections& parts);

// Loads the entry into parts. A version newer than this player writes, or
// damaged data, throws LoadError before any part has changed (the whole
// entry is first read into scratch parts).
void ReadStatusEntry(std::string_view entry, const StatusSections& parts);

}  // namespace rivo

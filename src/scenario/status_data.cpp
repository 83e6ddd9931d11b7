#include "scenario/status_data.h"

#include <charconv>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "scenario/status_part.h"
#include "script/db_manager.h"
#include "script/param_collection.h"

namespace rivo {

namespace {

constexpr std::string_view kTag = "Status";
constexpr std::size_t kTagSize = 9;
const char* const kEntryName = "STATUSSAVEDATA";

bool Tagged(std::string_view entry) { return entry.size() >= kTagSize && entry.starts_with(kTag); }

// Reads every section after the tag into the given parts.
void ReadSections(ByteReader& in, int32_t version, const StatusSections& parts) {
  parts.variables->LoadStatusSection(in, version);
  parts.read_marks->LoadFromStream(in, version);
  parts.image_cache->LoadFromStream(in, version);
  if (version >= 103) parts.tables->LoadFromStream(in, 1);
}

}  // namespace

int32_t StatusVersionOf(std::string_view entry) {
  if (!Tagged(entry)) return 0;
  std::string_view digits = entry.substr(kTag.size(), kTagSize - kTag.size());
  int32_t version = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), version);
  if (error != std::errc() || end != digits.data() + digits.size()) return 0;
  return version;
}

std::string WriteStatusEntry(const StatusSections& parts) {
  ByteWriter out;
  std::string tag = std::string(kTag) + std::to_string(kStatusVersion);
  out.Bytes(tag);
  parts.variables->SaveStatusSection(out);
  parts.read_marks->SaveToStream(out);
  parts.image_cache->SaveToStream(out);
  parts.tables->SaveToStream(out, 1);
  return out.Take();
}

void ReadStatusEntry(std::string_view entry, const StatusSections& parts) {
  const int32_t version = StatusVersionOf(entry);
  if (version > kStatusVersion)
    throw LoadError(kEntryName, "status version " + std::to_string(version) + " is newer than this player");
  const std::size_t start = Tagged(entry) ? kTagSize : 0;
  // A dry run into parts of our own, so that damaged data changes nothing.
  {
    TParamCollection variables;
    TDBManager tables;
    KeptReadMarks read_marks;
    KeptImageCacheState image_cache;
    ByteReader in(entry, kEntryName);
    in.Seek(start);
    ReadSections(in, version, {&variables, &tables, &read_marks, &image_cache});
  }
  ByteReader in(entry, kEntryName);
  in.Seek(start);
  ReadSections(in, version, parts);
}

}  // namespace rivo

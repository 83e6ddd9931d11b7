// The status entry of "save.dat" from arbitrary bytes: the loader must refuse
// damage with a LoadError, never crash, hang or allocate without bound, and a
// refused entry leaves the parts as they were.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/error.h"
#include "scenario/status_data.h"
#include "scenario/status_part.h"
#include "script/db_manager.h"
#include "script/param_collection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  TParamCollection variables;
  TDBManager tables;
  KeptReadMarks read_marks;
  KeptImageCacheState image_cache;
  const int32_t before = variables.Count();
  StatusSections parts{&variables, &tables, &read_marks, &image_cache};
  try {
    ReadStatusEntry(std::string_view(reinterpret_cast<const char*>(data), size), parts);
    // What was read writes out again.
    WriteStatusEntry(parts);
  } catch (const RivoError&) {
    if (variables.Count() != before || tables.Count() != 0) __builtin_trap();
  }
  return 0;
}

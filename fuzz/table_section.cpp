// A table section of a save file from arbitrary bytes: the first byte picks
// the game's or the persistent section. Loading either fails with a load
// error and changes nothing, or gives tables whose every field reads safely,
// keeps the tables of the other kind, and saves back to bytes which load
// and save again unchanged.

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "script/db_manager.h"

namespace {

using namespace rivo;

std::string Section(const TDBManager& tables, int32_t status) {
  ByteWriter out;
  tables.SaveToStream(out, status);
  return out.Take();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  int32_t status = data[0] & 1;
  std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  TDBManager tables;
  tables.Create("kept", 1 - status);
  std::string before = Section(tables, 1 - status);
  try {
    ByteReader in(bytes, "save.dat");
    tables.LoadFromStream(in, status);
  } catch (const LoadError&) {
    if (tables.Count() != 1 || Section(tables, 1 - status) != before) __builtin_trap();
    return 0;
  }
  for (int32_t t = 0; t < tables.Count(); ++t) {
    const TDBTable& table = tables[t];
    for (int32_t r = 0; r < table.RecordCount() && r < 64; ++r)
      for (int32_t f = 0; f < table.Fields().Count(); ++f) (void)table.GetStr(r, f);
  }
  std::string saved = Section(tables, status);
  TDBManager again;
  ByteReader in(saved, "save.dat");
  again.LoadFromStream(in, status);
  // The other kind of table stays (loading may change which table is active).
  if (Section(again, status) != saved || !tables.Find("kept")) __builtin_trap();
  return 0;
}

// A tab-separated table file from arbitrary bytes, loaded into a table the
// way "DBLoadTsvFile" loads it: it gives a table (or false and no fields),
// whose every field reads safely, and which saves and loads back unchanged.

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "script/db_table.h"
#include "script/script_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  TDBTable table("t", 0);
  bool loaded = table.LoadTsv(SplitLines(std::string_view(reinterpret_cast<const char*>(data), size)));
  if (!loaded && table.Fields().Count() != 0 && table.RecordCount() == 0) __builtin_trap();
  for (int32_t r = 0; r < table.RecordCount(); ++r)
    for (int32_t f = 0; f < table.Fields().Count(); ++f) (void)table.GetFloat(r, f);
  ByteWriter out;
  table.SaveToStream(out);
  ByteReader in(out.data(), "t");
  TDBTable again = TDBTable::LoadFromStream(in);
  ByteWriter out_again;
  again.SaveToStream(out_again);
  if (out_again.data() != out.data()) __builtin_trap();
  return 0;
}

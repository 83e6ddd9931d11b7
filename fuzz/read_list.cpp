// Read marks as a save carries them: any bytes load or give LoadError without
// crashing or allocating beyond the input, and what loads saves back to a
// form that loads to the same marks.

#include <cstddef>
#include <cstdint>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "text/rivo_read_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace rivo;
  TRivoReadList list;
  try {
    ByteReader in(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz");
    list.LoadFromStream(in, 120);
  } catch (const LoadError&) {
    return 0;
  }
  ByteWriter first;
  list.SaveToStream(first);
  TRivoReadList again;
  ByteReader in(first.data(), "again");
  again.LoadFromStream(in, 120);
  ByteWriter second;
  again.SaveToStream(second);
  if (first.data() != second.data()) __builtin_trap();
  return 0;
}

// A message window's message data as saves carry it: references and blocks
// at any save version; what loads saves back to bytes that load the same.

#include <cstddef>
#include <cstdint>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "text/rivo_new_mes_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace rivo;
  if (size < 1) return 0;
  const int32_t version = 100 + data[0] % 36;
  TRivoNewMesData first;
  try {
    ByteReader in(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), "fuzz");
    first.LoadFromStream(in, version);
  } catch (const LoadError&) {
    return 0;
  }
  ByteWriter a;
  first.SaveToStream(a);
  TRivoNewMesData second;
  ByteReader in(a.data(), "again");
  second.LoadFromStream(in, 135);
  ByteWriter b;
  second.SaveToStream(b);
  if (a.data() != b.data()) __builtin_trap();
  return 0;
}

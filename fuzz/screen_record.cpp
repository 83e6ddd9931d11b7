// The screen's save record from arbitrary bytes (the first two bytes pick
// the save version): loading must refuse damage with an error, never
// crash, hang or allocate without bound; what loads must save again.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "objects/rivo_base_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  if (size < 2) return 0;
  const int32_t version = 100 + (data[0] | data[1] << 8) % 50;
  TRivoBaseList screen;
  screen.SetWidth(64);
  screen.SetHeight(48);
  ByteReader in(std::string_view(reinterpret_cast<const char*>(data + 2), size - 2), "fuzz.sav");
  try {
    screen.LoadFromStream(in, version);
  } catch (const RivoError&) {
    return 0;
  }
  ByteWriter out;
  screen.SaveToStream(out);
  screen.Tick();
  return 0;
}

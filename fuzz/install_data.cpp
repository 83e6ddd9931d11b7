// "install.dat" from arbitrary bytes: damage is refused with a LoadError;
// whatever is read writes back to bytes that read the same again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/error.h"
#include "content/install_set.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  TRivoInstallSet set;
  try {
    set.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size), "install.dat");
  } catch (const LoadError&) {
    return 0;
  }
  std::string saved = set.SaveToBytes();
  TRivoInstallSet again;
  again.LoadFromBytes(saved, "install.dat");
  if (again.SaveToBytes() != saved) __builtin_trap();
  return 0;
}

// Resource directories of Windows executables from arbitrary bytes: a
// resource found must lie inside the file.

#include <cstddef>
#include <cstdint>
#include <string>

#include "content/big_memory_stream.h"
#include "content/pe_resource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  TQnBigMemoryStream file(std::string(reinterpret_cast<const char*>(data), size));
  auto found = FindPeResource(file, "BINTYPE", "DUMMY");
  if (found && (found->offset < 0 || found->offset + found->size > static_cast<int64_t>(size))) __builtin_trap();
  return 0;
}

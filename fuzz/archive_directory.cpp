// Archive directories and entries from arbitrary bytes: the reader must
// refuse damage with a LoadError, never crash, hang or allocate without bound.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "common/error.h"
#include "content/big_memory_stream.h"
#include "content/memory_stream.h"
#include "content/vr_file_collection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  TVrFileCollection archive;
  archive.SetInflateLimit(int64_t{16} << 20);
  try {
    archive.OpenStream(std::make_unique<TQnBigMemoryStream>(std::string(reinterpret_cast<const char*>(data), size)),
                       "fuzz.dat");
  } catch (const RivoError&) {
    return 0;
  }
  for (const auto& entry : archive) {
    TQnMemoryStream out;
    try {
      archive.ReadArchiveEntry(out, *entry);
      archive.ReadsAsStored(*entry);
    } catch (const RivoError&) {
    }
  }
  return 0;
}

#include "platform/memory_reuse.h"

#include <cstdlib>  // defines __GLIBC__ with the C library's features
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace rivo {

void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  // Blocks below 32 MB come from the heap rather than from mappings of
  // their own, and up to 64 MB freed at its top stay there.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

}  // namespace rivo

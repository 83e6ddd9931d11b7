#include "platform/memory_reuse.h"

#include <cstdint>
#include <cstdlib>  // defines __GLIBC__ with the C library's features
#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace rivo {

void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  // Blocks below 32 MB come from the heap rather than from mappings of
  // their own, and up to 128 MB freed at its top stay there: beyond the
  // 64 MB below, so that the stretch of 2 MB pages is never given back
  // (splitting its pages, and the heap growing again without them).
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
  // Threads that work ahead keep arenas of their own (the library's
  // default): sharing this one heap made every allocation of the player
  // wait on the workers' (a steady frame of the demo went from 0.6 to over
  // 1 ms while glyphs were rendered ahead). Their arenas lack the 2 MB pages
  // below, so a worker pays more first touches for a picture it decodes,
  // but that time is the worker's, not the player's.
#if defined(MADV_HUGEPAGE)
  // The heap grows by 64 MB at once (only reserved: a page costs nothing
  // until touched), and that stretch is backed by 2 MB pages where the
  // system allows: a picture then costs one first touch per 2 MB rather
  // than one per 4 KB, which on a virtual machine is most of a load's time.
  constexpr std::size_t kPad = std::size_t{64} << 20, kHuge = std::size_t{2} << 20;
  mallopt(M_TOP_PAD, static_cast<int>(kPad));
  void* block = std::malloc(kHuge);  // more than the heap holds yet: it grows by the pad
  const auto from = (reinterpret_cast<std::uintptr_t>(block) + kHuge - 1) & ~(kHuge - 1);
  const auto to = reinterpret_cast<std::uintptr_t>(sbrk(0)) & ~(kHuge - 1);
  // Only when the block came from the heap's end (a heap that cannot grow
  // there lives in mappings of its own).
  if (block && to > from && to - from <= 2 * kPad) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
  std::free(block);
#endif
#endif
}

}  // namespace rivo

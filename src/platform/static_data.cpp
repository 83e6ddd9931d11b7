#include "platform/static_data.h"

#if defined(__linux__)
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace rivo {

bool MapStaticDataIn() {
#if defined(__linux__)
  // Asks the system to map the pages in as if written, without writing:
  // threads already running may use the data meanwhile.
  constexpr int kPopulateWrite = 23;  // MADV_POPULATE_WRITE, Linux 5.14 and later
  bool done = false;
  // The program itself comes first in the list of loaded objects.
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void* result) {
        const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
        // Relocated tables the loader made read-only again are in place already.
        std::uintptr_t read_only_end = 0;
        for (int i = 0; i < info->dlpi_phnum; ++i) {
          const ElfW(Phdr)& segment = info->dlpi_phdr[i];
          if (segment.p_type == PT_GNU_RELRO)
            read_only_end = (info->dlpi_addr + segment.p_vaddr + segment.p_memsz + page - 1) & ~(page - 1);
        }
        bool& done = *static_cast<bool*>(result);
        done = true;
        for (int i = 0; i < info->dlpi_phnum; ++i) {
          const ElfW(Phdr)& segment = info->dlpi_phdr[i];
          if (segment.p_type != PT_LOAD || !(segment.p_flags & PF_W)) continue;
          const std::uintptr_t start = info->dlpi_addr + segment.p_vaddr;
          std::uintptr_t from = start & ~(page - 1);
          if (read_only_end > from) from = read_only_end;
          const std::uintptr_t to = (start + segment.p_memsz + page - 1) & ~(page - 1);
          if (to <= from) continue;
          // Every segment is tried, whatever became of the one before.
          const bool mapped = madvise(reinterpret_cast<void*>(from), to - from, kPopulateWrite) == 0;
          done = done && mapped;
        }
        return 1;  // the program only, not its libraries
      },
      &done);
  return done;
#else
  return false;
#endif
}

}  // namespace rivo

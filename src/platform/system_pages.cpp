#include "platform/system_pages.h"

#include <new>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/mman.h>
#endif

namespace rivo {

std::shared_ptr<uint8_t[]> SystemPages(std::size_t bytes) {
#if defined(__unix__) || defined(__APPLE__)
  if (bytes == 0) return std::make_shared<uint8_t[]>(0);
  void* pages = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (pages == MAP_FAILED) throw std::bad_alloc();
  // If the owner block cannot be made, shared_ptr calls the deleter itself.
  return std::shared_ptr<uint8_t[]>(static_cast<uint8_t*>(pages), [bytes](uint8_t* p) { munmap(p, bytes); });
#else
  return std::make_shared<uint8_t[]>(bytes);
#endif
}

}  // namespace rivo

#pragma once
// Memory taken straight from the system in whole pages and given straight
// back when its last owner lets go. The heap makes a thread that frees a
// block another thread allocated take that thread's heap lock; when the
// other thread runs at background rank and was stopped holding the lock,
// the freeing thread waits until the busy machine gives the worker the
// processor again, which can be tens of milliseconds. Pages from the system
// are freed without any lock of the heap.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace rivo {

// bytes of zeroed memory; throws std::bad_alloc when the system has none.
// Where the system offers no pages of its own, the heap stands in.
std::shared_ptr<uint8_t[]> SystemPages(std::size_t bytes);

}  // namespace rivo

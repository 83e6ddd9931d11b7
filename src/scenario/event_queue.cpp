#include "scenario/event_queue.h"

#include <algorithm>

namespace rivo {

TEventEntry* TEventQueue::FirstWaiting() {
  for (TEventEntry& e : entries_)
    if (e.level == 0) return &e;
  return nullptr;
}

void TEventQueue::Remove(const TEventEntry* entry) {
  std::erase_if(entries_, [&](const TEventEntry& e) { return &e == entry; });
}

void TEventQueue::RemoveLevel(int32_t level) {
  std::erase_if(entries_, [&](const TEventEntry& e) { return e.level == level; });
}

void TEventQueue::RemoveTaken() {
  std::erase_if(entries_, [](const TEventEntry& e) { return e.level != 0; });
}

}  // namespace rivo

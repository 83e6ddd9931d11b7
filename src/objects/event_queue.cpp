#include "objects/event_queue.h"

#include <algorithm>

namespace rivo {

void TTimerList::CountWaiting(const TTimerData& entry, int32_t delta) {
  if (entry.Level != 0 || entry.Sender.IsNone()) return;
  WaitKey key{entry.Sender, entry.Kind};
  auto found = waiting_.find(key);
  if (found == waiting_.end()) {
    if (delta > 0) waiting_.emplace(key, delta);
    return;
  }
  found->second += delta;
  if (found->second <= 0) waiting_.erase(found);
}

void TTimerList::Add(TTimerData entry) {
  CountWaiting(entry, 1);
  entries_.push_back(std::move(entry));
}

int32_t TTimerList::FirstWaiting() const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].Level == 0) return static_cast<int32_t>(i);
  return -1;
}

void TTimerList::Take(int32_t index, int32_t level) {
  TTimerData& entry = entries_[static_cast<std::size_t>(index)];
  CountWaiting(entry, -1);
  entry.Level = level;
  CountWaiting(entry, 1);
}

void TTimerList::RemoveAt(int32_t index) {
  CountWaiting(entries_[static_cast<std::size_t>(index)], -1);
  entries_.erase(entries_.begin() + index);
}

template <typename Pred>
void TTimerList::RemoveIf(Pred pred) {
  std::erase_if(entries_, [&](const TTimerData& e) {
    if (!pred(e)) return false;
    CountWaiting(e, -1);
    return true;
  });
}

void TTimerList::RemoveLevel(int32_t level) {
  RemoveIf([&](const TTimerData& e) { return e.Level == level; });
}

void TTimerList::RemoveTaken() {
  RemoveIf([](const TTimerData& e) { return e.Level != 0; });
}

void TTimerList::RemoveWaitingOf(ObjectHandle sender) {
  if (sender.IsNone()) return;
  RemoveIf([&](const TTimerData& e) { return e.Level == 0 && e.Sender == sender; });
}

void TTimerList::Clear() {
  entries_.clear();
  waiting_.clear();
}

bool TTimerList::Waits(ObjectHandle sender, uint8_t kind) const {
  return !sender.IsNone() && waiting_.contains(WaitKey{sender, kind});
}

}  // namespace rivo

#pragma once
// TEventQueue: object events waiting for the interpreter. An entry names
// the page (and optionally the label) to run, the object that raised it,
// the event's property id, the level it was dispatched at (0 while it
// waits) and its arguments. The screen will own the queue; until it exists
// the player owns one.

#include <cstdint>
#include <string>
#include <vector>

namespace rivo {

struct TEventEntry {
  std::string target;  // "page.rsb" or "page.rsb:label", CP932
  std::string sender;  // name of the object that raised it; empty: none
  int32_t kind = 0;    // the property id of the event
  int32_t level = 0;   // 0 while waiting
  std::vector<std::string> args;
};

class TEventQueue {
 public:
  void Add(TEventEntry entry) { entries_.push_back(std::move(entry)); }
  // The first entry whose level is 0, or nullptr.
  TEventEntry* FirstWaiting();
  void Remove(const TEventEntry* entry);
  void RemoveLevel(int32_t level);
  // Every entry that has been taken (level not 0).
  void RemoveTaken();
  void Clear() { entries_.clear(); }

  const std::vector<TEventEntry>& Entries() const { return entries_; }

 private:
  std::vector<TEventEntry> entries_;
};

}  // namespace rivo

#pragma once
// TTimerList: the screen's event queue. An entry (TTimerData) names the page
// (and optionally the label) to run, the object that raised it, the event's
// property id, the level of the call running it (0 while it waits) and its
// arguments. The interpreter takes the first waiting entry, marks it with
// its level and removes the entries of a level when that call returns.
//
// Objects raise events only when no entry of the same sender and kind
// waits; the queue counts its waiting entries by sender and kind so that
// this question never scans the queue.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "objects/object_handle.h"

namespace rivo {

struct TTimerData {
  std::string Page;  // "page.rsb" or "page.rsb:label", CP932
  ObjectHandle Sender;  // none: raised by no object (the command line)
  uint8_t Kind = 0;     // the property id of the event
  int32_t Level = 0;    // 0 while waiting
  std::vector<std::string> Args;
};

class TTimerList {
 public:
  void Add(TTimerData entry);
  // The index of the first waiting entry, or -1.
  int32_t FirstWaiting() const;
  // The interpreter runs entry index at level (not 0).
  void Take(int32_t index, int32_t level);
  void RemoveAt(int32_t index);
  void RemoveLevel(int32_t level);
  // Every entry that has been taken (level not 0).
  void RemoveTaken();
  // The waiting entries of a sender (it is being destroyed, or a timer
  // restarts); taken ones stay.
  void RemoveWaitingOf(ObjectHandle sender);
  void Clear();
  bool Waits(ObjectHandle sender, uint8_t kind) const;

  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  const TTimerData& operator[](int32_t index) const { return entries_[static_cast<std::size_t>(index)]; }
  const std::vector<TTimerData>& Entries() const { return entries_; }

 private:
  struct WaitKey {
    ObjectHandle sender;
    uint8_t kind;
    friend bool operator==(const WaitKey&, const WaitKey&) = default;
  };
  struct WaitKeyHash {
    std::size_t operator()(const WaitKey& k) const {
      return std::hash<uint64_t>()((uint64_t{k.sender.slot} << 32 | k.sender.generation) * 31 + k.kind);
    }
  };
  void CountWaiting(const TTimerData& entry, int32_t delta);
  template <typename Pred>
  void RemoveIf(Pred pred);

  std::vector<TTimerData> entries_;
  std::unordered_map<WaitKey, int32_t, WaitKeyHash> waiting_;
};

}  // namespace rivo

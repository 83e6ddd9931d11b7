#pragma once
// The clock of headless runs: time moves only when the frame loop has
// nothing left to do before its next deadline, and then jumps to it.
// Things that live in time (the null sound device) follow it.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/clock.h"

namespace rivo {

class TimeFollower {
 public:
  virtual ~TimeFollower() = default;
  virtual void Advance(uint64_t elapsed_ms) = 0;
};

class VirtualClock final : public Clock {
 public:
  uint64_t NowMs() override { return now_; }

  void AdvanceTo(uint64_t time_ms) {
    if (time_ms <= now_) return;
    uint64_t elapsed = time_ms - now_;
    now_ = time_ms;
    for (TimeFollower* f : followers_) f->Advance(elapsed);
  }
  void Follow(TimeFollower* f) { followers_.push_back(f); }
  void Unfollow(TimeFollower* f) { std::erase(followers_, f); }

 private:
  uint64_t now_ = 0;
  std::vector<TimeFollower*> followers_;
};

}  // namespace rivo

#pragma once
// Time as the frame loop sees it: a millisecond count that only goes forward.
// The real player reads the steady clock; headless runs read a virtual clock
// that moves in fixed steps, so every headless run is reproducible.

#include <cstdint>

namespace rivo {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint64_t NowMs() = 0;
};

class SteadyClock final : public Clock {
 public:
  uint64_t NowMs() override;
};

}  // namespace rivo

#include "host/clock_loop.h"

#include "common/numbers.h"
#include "host/player_context.h"

namespace rivo {

constexpr uint64_t kDroppedIntervalMs = 3000;

void ClockLoop::Run(const Hooks& hooks, std::optional<uint64_t> max_periods) {
  uint64_t last = clock_.NowMs();
  uint64_t deadline = last + interval_ms_;
  uint64_t periods = 0;
  while (!hooks.stopping()) {
    if (max_periods && periods >= *max_periods) break;
    if (std::optional<InputEvent> e = events_.WaitEvent(deadline)) {
      hooks.on_event(*e);
      continue;
    }
    uint64_t now = clock_.NowMs();
    // Keep the schedule, but after a long tick start afresh rather than
    // running a burst of ticks to catch up.
    deadline += interval_ms_;
    if (deadline <= now) deadline = now + interval_ms_;
    ++periods;
    if (suspended_) continue;
    uint64_t d = now - last;
    last = now;
    if (d >= kDroppedIntervalMs) continue;
    ctx_.ElapsedMs = WrapAdd(ctx_.ElapsedMs, static_cast<int32_t>(d));
    ctx_.FrameDeltaMs = static_cast<int32_t>(d);
    ctx_.LastTickTime = now;
    hooks.on_tick();
  }
}

}  // namespace rivo

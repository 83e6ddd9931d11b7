#pragma once
// The frame clock: one tick about every interval milliseconds on a deadline
// schedule, with input handled between ticks, all on one thread, so a tick
// never overlaps input handling or another tick.
//
// Each accepted tick adds the measured interval to ElapsedMs and sets
// FrameDeltaMs to it. An interval of 3000 ms or more (the machine slept, a
// debugger held the process) is dropped: game time does not jump. The
// measured interval is used as it is; waiting "15 - d" ms after a tick, as
// a coarse Windows timer allows, would alternate 1 ms and 14 ms ticks on a
// precise clock, so the loop waits for fixed deadlines instead.

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/clock.h"
#include "platform/event_source.h"

namespace rivo {

struct PlayerContext;

class ClockLoop {
 public:
  struct Hooks {
    std::function<void(const InputEvent&)> on_event;
    std::function<void()> on_tick;
    std::function<bool()> stopping;
  };

  ClockLoop(PlayerContext& ctx, Clock& clock, EventSource& events, uint32_t interval_ms)
      : ctx_(ctx), clock_(clock), events_(events), interval_ms_(interval_ms) {}

  // While suspended (the player lost focus) deadlines pass without ticks and
  // the interval keeps growing from the last accepted tick.
  void Suspend() { suspended_ = true; }
  void Resume() { suspended_ = false; }

  // Runs until hooks.stopping() says so, or after max_periods deadlines.
  void Run(const Hooks& hooks, std::optional<uint64_t> max_periods);

 private:
  PlayerContext& ctx_;
  Clock& clock_;
  EventSource& events_;
  uint32_t interval_ms_;
  bool suspended_ = false;
};

}  // namespace rivo

// The frame clock: measured intervals, the 3000 ms drop, suspension.

#include "host/clock_loop.h"

#include <deque>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/player_context.h"

namespace rivo {
namespace {

using ::testing::ElementsAre;

// A clock whose every wait for a deadline lasts the next scripted interval,
// as a real machine's might (late, early, or after a long sleep).
class ScriptedClock : public Clock, public EventSource {
 public:
  explicit ScriptedClock(std::deque<uint64_t> intervals) : intervals_(std::move(intervals)) {}
  uint64_t NowMs() override { return now_; }
  std::optional<InputEvent> WaitEvent(uint64_t deadline) override {
    deadlines.push_back(deadline - now_);
    if (!events.empty()) {
      InputEvent e = events.front();
      events.pop_front();
      return e;
    }
    now_ += intervals_.empty() ? 15 : intervals_.front();
    if (!intervals_.empty()) intervals_.pop_front();
    return std::nullopt;
  }
  std::deque<InputEvent> events;
  std::vector<uint64_t> deadlines;  // how far ahead each wait's deadline lay

 private:
  uint64_t now_ = 1000;
  std::deque<uint64_t> intervals_;
};

struct LoopRun {
  std::vector<int32_t> deltas;  // FrameDeltaMs of each tick
  int32_t elapsed = 0;
};

LoopRun RunLoop(ScriptedClock& clock, uint64_t periods, std::function<void(ClockLoop&, int)> per_period = nullptr) {
  PlayerContext ctx;
  ClockLoop loop(ctx, clock, clock, 15);
  LoopRun run;
  int period = 0;
  ClockLoop::Hooks hooks{
      .on_event = [](const InputEvent&) {},
      .on_tick = [&] { run.deltas.push_back(ctx.FrameDeltaMs); },
      .stopping =
          [&] {
            if (per_period) per_period(loop, period++);
            return false;
          },
  };
  loop.Run(hooks, periods);
  run.elapsed = ctx.ElapsedMs;
  return run;
}

TEST(ClockLoop, FeedsTheMeasuredIntervalsToGameTime) {
  ScriptedClock clock({15, 17, 14, 30, 15});
  LoopRun run = RunLoop(clock, 5);
  EXPECT_THAT(run.deltas, ElementsAre(15, 17, 14, 30, 15));
  EXPECT_EQ(run.elapsed, 91);
}

TEST(ClockLoop, DropsIntervalsOfThreeSecondsOrMore) {
  ScriptedClock clock({15, 3000, 15, 2999, 15});
  LoopRun run = RunLoop(clock, 5);
  EXPECT_THAT(run.deltas, ElementsAre(15, 15, 2999, 15));
  EXPECT_EQ(run.elapsed, 15 + 15 + 2999 + 15);
}

TEST(ClockLoop, KeepsAFixedScheduleAndDoesNotBurstAfterALongTick) {
  // 2 ms late: the next wait is 2 ms shorter. 100 ms late: a fresh start.
  ScriptedClock clock({17, 15, 100, 15});
  RunLoop(clock, 4);
  EXPECT_THAT(clock.deadlines, ElementsAre(15, 13, 13, 15));
}

TEST(ClockLoop, WhileSuspendedNoTickRunsAndTheWholePauseCountsAtResumeUnlessItIsLong) {
  ScriptedClock short_pause({15, 15, 15, 15, 15});
  LoopRun run = RunLoop(short_pause, 5, [](ClockLoop& loop, int period) {
    if (period == 1) loop.Suspend();
    if (period == 3) loop.Resume();
  });
  EXPECT_THAT(run.deltas, ElementsAre(15, 45, 15));

  std::deque<uint64_t> long_intervals(250, 15);
  ScriptedClock long_pause(long_intervals);
  run = RunLoop(long_pause, 250, [](ClockLoop& loop, int period) {
    if (period == 1) loop.Suspend();
    if (period == 248) loop.Resume();
  });
  EXPECT_THAT(run.deltas, ElementsAre(15, 15));
}

TEST(ClockLoop, HandsEventsOverBetweenTicksAndStopsWhenAsked) {
  ScriptedClock clock({15, 15, 15});
  clock.events.push_back({.kind = InputKind::kKeyDown, .key = 65});
  clock.events.push_back({.kind = InputKind::kCloseRequest});
  PlayerContext ctx;
  ClockLoop loop(ctx, clock, clock, 15);
  std::vector<std::string> seen;
  bool stop = false;
  ClockLoop::Hooks hooks{
      .on_event =
          [&](const InputEvent& e) {
            seen.push_back(e.kind == InputKind::kKeyDown ? "key" : "close");
            stop = e.kind == InputKind::kCloseRequest;
          },
      .on_tick = [&] { seen.push_back("tick"); },
      .stopping = [&] { return stop; },
  };
  loop.Run(hooks, std::nullopt);
  EXPECT_THAT(seen, ElementsAre("key", "close"));
}

}  // namespace
}  // namespace rivo

#include "platform/background_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace rivo {
namespace {

// The calling thread's scheduling class and niceness.
struct Rank {
  int policy = SCHED_OTHER, niceness = 0;
  bool operator==(const Rank&) const = default;
  // The idle class, or the least niceness where the idle class is refused.
  bool Background() const { return policy == SCHED_IDLE || (policy == SCHED_OTHER && niceness == 19); }
};

Rank OwnRank() {
  int policy = SCHED_OTHER;
  sched_param param{};
  pthread_getschedparam(pthread_self(), &policy, &param);
  return {policy, getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()))};
}

// The rank is the worker's alone: lowering the whole process would slow the
// player's own frames along with the work done ahead.
TEST(BackgroundThread, LowersOnlyTheCallingThread) {
  const Rank player = OwnRank();
  ASSERT_FALSE(player.Background());
  Rank worker = player;
  std::thread([&] {
    MakeThisThreadBackground();
    worker = OwnRank();
  }).join();
  EXPECT_TRUE(worker.Background());
  EXPECT_EQ(OwnRank(), player);
  // A thread started afterwards has the process's normal rank.
  Rank later{};
  std::thread([&] { later = OwnRank(); }).join();
  EXPECT_EQ(later, player);
}

// A worker the player waits for at start-up keeps its rank until asked,
// and lowers itself at its next step after.
TEST(BackgroundThread, AWorkerIsLoweredAtItsFirstStepAfterTheAsking) {
  BackgroundWhenAsked rank;
  std::optional<Rank> before, after;
  std::thread([&] {
    rank.Apply();
    before = OwnRank();
    rank.Ask();
    rank.Apply();
    after = OwnRank();
  }).join();
  EXPECT_FALSE(before->Background());
  EXPECT_TRUE(after->Background());
}

// What a waiting thread reads of a worker: the time grows while the worker
// computes, and stays while it sleeps.
TEST(BackgroundThread, AThreadsProcessorTimeIsReadFromAnother) {
  using namespace std::chrono_literals;
  EXPECT_FALSE(ThreadTime().Now());
  std::atomic<bool> spin{false}, stop{false};
  std::thread worker([&] {
    while (!stop) {
      if (!spin) std::this_thread::sleep_for(1ms);
    }
  });
  ThreadTime time(worker);
  const std::optional<std::chrono::nanoseconds> start = time.Now();
  ASSERT_TRUE(start);
  // Sleeping in steps of 1 ms for 50 ms costs far less than 50 ms of processor.
  std::this_thread::sleep_for(50ms);
  EXPECT_LT(*time.Now() - *start, 25ms);
  spin = true;
  const auto give_up = std::chrono::steady_clock::now() + 20s;
  while (*time.Now() - *start < 30ms && std::chrono::steady_clock::now() < give_up) std::this_thread::sleep_for(1ms);
  EXPECT_GE(*time.Now() - *start, 30ms);
  stop = true;
  worker.join();
}

}  // namespace
}  // namespace rivo
#endif

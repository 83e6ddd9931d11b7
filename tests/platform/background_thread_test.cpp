#include "platform/background_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>

namespace rivo {
namespace {

int OwnNiceness() {
  return getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
}

// The rank is the worker's alone: lowering the whole process would slow the
// player's own frames along with the work done ahead.
TEST(BackgroundThread, LowersOnlyTheCallingThread) {
  const int player = OwnNiceness();
  int worker = player;
  std::thread([&] {
    MakeThisThreadBackground();
    worker = OwnNiceness();
  }).join();
  EXPECT_EQ(worker, 19);
  EXPECT_EQ(OwnNiceness(), player);
  // A thread started afterwards has the process's normal rank.
  int later = -100;
  std::thread([&] { later = OwnNiceness(); }).join();
  EXPECT_EQ(later, player);
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

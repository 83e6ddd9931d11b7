#include "platform/background_thread.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace rivo
#endif

#include "platform/background_thread.h"

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>
#endif

namespace rivo {

void MakeThisThreadBackground() {
#if defined(__linux__)
  // The idle class runs only where nothing else would, and a thread of it
  // woken (to plan anew, say) never takes the core from the thread that
  // woke it: at niceness 19 the player lost its core to the worker it had
  // just signalled, and waited behind other programs for it again.
  const sched_param idle{};
  if (pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle) == 0) return;
  // Otherwise the least niceness: ~1.5% of a core against a thread of rank 0.
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
#endif
}

ThreadTime::ThreadTime(std::thread& thread) {
#if defined(__linux__)
  clockid_t clock;
  if (pthread_getcpuclockid(thread.native_handle(), &clock) == 0) clock_ = clock;
#endif
}

std::optional<std::chrono::nanoseconds> ThreadTime::Now() const {
#if defined(__linux__)
  timespec time{};
  if (clock_ && clock_gettime(static_cast<clockid_t>(*clock_), &time) == 0)
    return std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec);
#endif
  return std::nullopt;
}

}  // namespace rivo

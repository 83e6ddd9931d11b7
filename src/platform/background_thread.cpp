#include "platform/background_thread.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace rivo {

void MakeThisThreadBackground() {
#if defined(__linux__)
  // Linux ranks each thread by its own niceness; 19 is the lowest, and the
  // scheduler then gives the thread ~1.5% of a core against one of rank 0.
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
#endif
}

}  // namespace rivo

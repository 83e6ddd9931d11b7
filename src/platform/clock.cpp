#include "platform/clock.h"

#include <chrono>

namespace rivo {

uint64_t SteadyClock::NowMs() {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace rivo

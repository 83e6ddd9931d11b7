#pragma once
// Where the frame loop waits: for the next input event or for the clock to
// reach the next tick's deadline, whichever comes first.

#include <cstdint>
#include <optional>

#include "platform/input_event.h"

namespace rivo {

class EventSource {
 public:
  virtual ~EventSource() = default;
  // Returns an event that arrived before deadline_ms (on the platform's
  // clock), or nothing once the clock has reached the deadline.
  virtual std::optional<InputEvent> WaitEvent(uint64_t deadline_ms) = 0;
};

}  // namespace rivo

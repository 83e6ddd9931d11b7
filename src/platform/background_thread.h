#pragma once
// Work done ahead (pictures decoded, files read before the game asks for
// them) must never take the processor from the player: on a machine whose
// cores are all busy, a worker of equal rank gets an equal share, and the
// player's frame waits while the worker decodes a picture the game may only
// need seconds later. A background thread yields to every thread of normal
// rank and still runs whenever a core is free.

#include <chrono>
#include <optional>
#include <thread>

namespace rivo {

// Lowers the calling thread to the least rank the system gives without
// privileges. Does nothing where threads have no rank of their own.
void MakeThisThreadBackground();

// The processor time a thread has had so far, read from another thread. A
// thread that waits for a background worker tells by it whether the worker
// gets the processor at all: on a busy machine it may get none for tens of
// milliseconds, and waiting for it is then time lost.
class ThreadTime {
 public:
  ThreadTime() = default;
  // thread must be running; Now is valid until it is joined.
  explicit ThreadTime(std::thread& thread);
  // Nothing where the system does not tell (or for a default ThreadTime).
  std::optional<std::chrono::nanoseconds> Now() const;

 private:
  std::optional<int> clock_;  // a clockid_t
};

}  // namespace rivo

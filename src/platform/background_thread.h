#pragma once
// Work done ahead (pictures decoded, files read before the game asks for
// them) must never take the processor from the player: on a machine whose
// cores are all busy, a worker of equal rank gets an equal share, and the
// player's frame waits while the worker decodes a picture the game may only
// need seconds later. A background thread yields to every thread of normal
// rank, never takes the core from a thread that wakes it, and still runs
// whenever a core is free.

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

namespace rivo {

// Lowers the calling thread to the least rank the system gives without
// privileges (Linux: the idle scheduling class, else niceness 19). Does
// nothing where threads have no rank of their own.
void MakeThisThreadBackground();

// A worker's rank: normal while the player waits for its work (before the
// first frame nothing else runs, and a worker of background rank on a busy
// machine would get next to no processor), background once the player asks.
// The worker lowers itself at its next step: a rank can be lowered but,
// without privileges, never raised again.
class BackgroundWhenAsked {
 public:
  // Any thread.
  void Ask() { asked_ = true; }
  // The worker's thread, between steps of its work.
  void Apply() {
    if (lowered_ || !asked_) return;
    MakeThisThreadBackground();
    lowered_ = true;
  }

 private:
  std::atomic<bool> asked_{false};
  bool lowered_ = false;  // the worker's own
};

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

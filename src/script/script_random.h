#pragma once
// The generator behind the "Random" function: a 32-bit linear congruential
// generator (state := state * 134775813 + 1) whose draw of 0..n-1 is the
// high half of state * n, so every n gets an even share of the states.
// The player seeds it once (from --seed, or from the clock).

#include <cstdint>

namespace rivo {

class TScriptRandom {
 public:
  explicit TScriptRandom(uint32_t seed) : state_(seed) {}

  // Uniformly 0..n-1; 0 for n <= 0 (there is nothing to draw from).
  int32_t Next(int32_t n) {
    if (n <= 0) return 0;
    state_ = state_ * 134775813u + 1u;
    return static_cast<int32_t>((uint64_t{state_} * static_cast<uint32_t>(n)) >> 32);
  }

 private:
  uint32_t state_;
};

}  // namespace rivo

#pragma once
// TQnRandom: the 32-bit linear generator (state := state * 5 + seed) that
// scrambles archive tables and shuffles pixels, with a permutation pool.

#include <cstdint>
#include <vector>

namespace rivo {

class TQnRandom {
 public:
  // The archive's scrambling seed.
  static constexpr uint32_t kArchiveSeed = 1462093715u;

  explicit TQnRandom(uint32_t seed) : seed_(seed) {}

  // Steps the generator and yields the new state.
  uint32_t Next() {
    state_ = state_ * 5u + seed_;
    return state_;
  }

  // Fills the pool with 0..n-1 (empty for n <= 0).
  void ResetPool(int32_t n);
  // Steps the generator, removes the element at state mod pool size and
  // returns it; -1 when the pool is empty.
  int32_t DrawFromPool();
  std::size_t PoolSize() const { return pool_.size(); }

 private:
  uint32_t seed_;
  uint32_t state_ = 0;
  std::vector<int32_t> pool_;
};

// The order in which a fresh generator with this seed draws all of 0..n-1
// from its pool (ResetPool(n), then n DrawFromPool calls), found in
// O(n log n) so that pictures of many rows or tiles shuffle quickly.
std::vector<int32_t> KeyedShuffle(uint32_t seed, int32_t n);

}  // namespace rivo

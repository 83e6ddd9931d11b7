#pragma once
// The random draws of the transitions (random blocks, falling tiles): the
// archive's linear generator with a key made from the player's seed, so a
// run with the same --seed repeats and another seed differs. The key is
// odd, which gives the generator its full period for every seed.

#include <cstdint>
#include <utility>
#include <vector>

#include "common/qn_random.h"

namespace rivo {

class TWipeRandom {
 public:
  explicit TWipeRandom(uint32_t seed) : generator_(seed * 2u + 1u) {}

  // 0..n-1 (0 for n <= 0), from the generator's high bits, which vary best.
  int32_t Below(int32_t n) {
    if (n <= 0) return 0;
    return static_cast<int32_t>((uint64_t{generator_.Next()} * static_cast<uint32_t>(n)) >> 32);
  }

  template <class Item>
  void Shuffle(std::vector<Item>& items) {
    for (std::size_t i = items.size(); i > 1; --i)
      std::swap(items[i - 1], items[static_cast<std::size_t>(Below(static_cast<int32_t>(i)))]);
  }

 private:
  TQnRandom generator_;
};

}  // namespace rivo

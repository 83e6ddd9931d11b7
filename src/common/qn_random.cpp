#include "common/qn_random.h"

#include <numeric>

namespace rivo {

void TQnRandom::ResetPool(int32_t n) {
  pool_.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  std::iota(pool_.begin(), pool_.end(), 0);
}

int32_t TQnRandom::DrawFromPool() {
  if (pool_.empty()) return -1;
  std::size_t at = Next() % pool_.size();
  int32_t value = pool_[at];
  // Removing by shifting keeps the order of the rest, which the draws after
  // this one depend on.
  pool_.erase(pool_.begin() + static_cast<std::ptrdiff_t>(at));
  return value;
}

std::vector<int32_t> KeyedShuffle(uint32_t seed, int32_t n) {
  std::vector<int32_t> order;
  if (n <= 0) return order;
  const auto size = static_cast<std::size_t>(n);
  // A Fenwick tree over "still in the pool" flags: the element at position
  // k of what remains is found by descending the tree.
  std::vector<int32_t> tree(size + 1, 0);
  for (std::size_t i = 1; i <= size; ++i) {
    tree[i] += 1;
    const std::size_t parent = i + (i & (~i + 1));
    if (parent <= size) tree[parent] += tree[i];
  }
  std::size_t top = 1;
  while (top * 2 <= size) top *= 2;
  TQnRandom generator(seed);
  order.reserve(size);
  for (std::size_t remaining = size; remaining > 0; --remaining) {
    auto k = static_cast<int32_t>(generator.Next() % remaining);
    std::size_t at = 0;
    for (std::size_t step = top; step > 0; step /= 2) {
      if (at + step <= size && tree[at + step] <= k) {
        at += step;
        k -= tree[at];
      }
    }
    // at + 1 is the 1-based position of the element; take it out.
    for (std::size_t i = at + 1; i <= size; i += i & (~i + 1)) tree[i] -= 1;
    order.push_back(static_cast<int32_t>(at));
  }
  return order;
}

}  // namespace rivo

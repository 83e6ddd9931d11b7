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

}  // namespace rivo

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "common/qn_random.h"

namespace rivo {
namespace {

std::vector<int32_t> PoolDraws(uint32_t seed, int32_t n) {
  TQnRandom r(seed);
  r.ResetPool(n);
  std::vector<int32_t> out;
  for (int32_t i = 0; i < n; ++i) out.push_back(r.DrawFromPool());
  return out;
}

TEST(KeyedShuffle, KeyOneOfFourSwapsNeighboursAndKeyZeroKeepsTheOrder) {
  EXPECT_EQ(KeyedShuffle(1, 4), (std::vector<int32_t>{1, 0, 3, 2}));
  std::vector<int32_t> identity(37);
  std::iota(identity.begin(), identity.end(), 0);
  EXPECT_EQ(KeyedShuffle(0, 37), identity);
  EXPECT_TRUE(KeyedShuffle(5, 0).empty());
  EXPECT_TRUE(KeyedShuffle(5, -3).empty());
}

TEST(KeyedShuffle, DrawsWhatThePoolDraws) {
  for (uint32_t seed : {1u, 12345u, 0x80000001u, 0xFFFFFFFFu, TQnRandom::kArchiveSeed})
    for (int32_t n : {1, 2, 3, 7, 64, 100, 1000})
      EXPECT_EQ(KeyedShuffle(seed, n), PoolDraws(seed, n)) << "seed " << seed << " n " << n;
}

}  // namespace
}  // namespace rivo

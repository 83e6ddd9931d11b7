// The mixer's inner loop gives exactly (s × g) >> 16 per side, whatever
// path the processor takes, for every gain from silence to full and for
// lengths that leave a tail after the eight-sample steps.

#include "media/mix_kernel.h"

#include <vector>

#include <gtest/gtest.h>

namespace rivo {
namespace {

TEST(MixKernel, ScalesEachSideExactlyAndAddsIntoTheAccumulator) {
  std::vector<int16_t> in;
  for (int v : {-32768, -32767, -1, 0, 1, 2, 3, 255, -256, 12345, -12345, 32767})
    in.push_back(static_cast<int16_t>(v));
  uint32_t state = 7;
  while (in.size() < 2 * 37) {  // 37 frames: four steps of eight samples and a tail
    state = state * 1664525 + 1013904223;
    in.push_back(static_cast<int16_t>(state >> 16));
  }
  const int32_t gains[] = {0, 1, 2, 128, 256, 32767, 32768, 32769, 46341, 65535, 65536};
  for (int32_t left : gains) {
    for (int32_t right : gains) {
      std::vector<int32_t> acc(in.size(), 1000), expected(in.size(), 1000);
      for (std::size_t i = 0; i < in.size(); i += 2) {
        expected[i] += in[i] * left >> 16;
        expected[i + 1] += in[i + 1] * right >> 16;
      }
      AddScaledStereo(acc.data(), in.data(), in.size() / 2, left, right);
      ASSERT_EQ(acc, expected) << left << " " << right;
    }
  }
}

}  // namespace
}  // namespace rivo

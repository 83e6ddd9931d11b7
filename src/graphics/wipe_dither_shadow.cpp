// Dither and mask fade: masks that follow a per-pixel order.

#include <algorithm>
#include <cstring>

#include "common/qn_random.h"
#include "graphics/mask_wipes.h"
#include "graphics/wipe_grey_plane.h"

namespace rivo {
namespace {

constexpr int32_t kDitherSide = 64;
constexpr int32_t kDitherCells = kDitherSide * kDitherSide;
// The fixed key of the dither order: every run shows the same pattern.
constexpr uint32_t kDitherKey = 12341;

}  // namespace

void TWipeDither::PrepareMask() {
  TQnRandom shuffle(kDitherKey);
  shuffle.ResetPool(kDitherCells);
  order_.resize(kDitherCells);
  for (int32_t& position : order_) position = shuffle.DrawFromPool();
}

// n = 4096 t / T
int64_t TWipeDither::Phase() const { return kDitherCells * t() / T(); }

bool TWipeDither::WriteMask(int64_t phase) {
  uint8_t block[kDitherCells] = {};
  for (int64_t i = 0; i < std::min<int64_t>(phase, kDitherCells); ++i)
    block[order_[static_cast<std::size_t>(i)]] = 255;
  for (int32_t y = 0; y < MaskRows(); ++y) {
    const uint8_t* source = block + (y % kDitherSide) * kDitherSide;
    uint8_t* row = MaskRow(y);
    for (int32_t x = 0; x < W(); x += kDitherSide)
      std::memcpy(row + x, source, static_cast<std::size_t>(std::min(kDitherSide, W() - x)));
  }
  return true;
}

void TWipeShadow::PrepareMask() {
  offsets_ = WipeGreyOffsets(environment_.masks, MaskName(), Reverse(), W(), H());
}

// i = 512 t / T + 255
int64_t TWipeShadow::Phase() const { return 512 * t() / T() + 255; }

// ramp(k): 0 up to 255, then k - 256, then 255 from 511 on; that is k - 256
// held to 0..255.
bool TWipeShadow::WriteMask(int64_t phase) {
  // base + d lies in -512..768, so the sum and its clamp stay in 16 bits,
  // eight pixels to a vector.
  const auto base = static_cast<int16_t>(std::min<int64_t>(phase, 1024) - 256);
  const int32_t w = W();
  for (int32_t y = 0; y < H(); ++y) {
    const int16_t* d = &offsets_[static_cast<std::size_t>(y) * w];
    uint8_t* row = MaskRow(y);
    for (int32_t x = 0; x < w; ++x) {
      const auto v = static_cast<int16_t>(base + d[x]);
      row[x] = static_cast<uint8_t>(std::min<int16_t>(std::max<int16_t>(v, 0), 255));
    }
  }
  return false;
}

}  // namespace rivo

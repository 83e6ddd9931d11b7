// Blinds and curtains: masks whose value depends on one coordinate only.

#include <algorithm>
#include <cstring>

#include "graphics/mask_wipes.h"

namespace rivo {
namespace {

// 0 before the start s, then rising by 255 / ramp per phase step up to 255.
uint8_t RampLevel(int64_t phase, int64_t s, int64_t ramp) {
  if (phase < s) return 0;
  return static_cast<uint8_t>(std::min<int64_t>(255, (phase - s) * 255 / ramp));
}

}  // namespace

// b = (p1 + 2 p0 - 2) t / T
int64_t TWipeBlindH::Phase() const {
  return (int64_t{Ramp()} + 2 * int64_t{Slat()} - 2) * t() / T();
}

bool TWipeBlindH::WriteMask(int64_t phase) {
  const int32_t slat = Slat();
  uint8_t* row = MaskRow(0);
  for (int32_t x = 0; x < W(); ++x) {
    const int32_t i = Reverse() ? slat - 1 - x % slat : x % slat;
    row[x] = RampLevel(phase, 2 * int64_t{i}, Ramp());
  }
  return P1() < 2;
}

// Row y of the screen uses mask row y mod p0; rows past the screen's height
// would never be read.
int32_t TWipeBlindV::MaskHeight() const { return std::min(Slat(), H()); }

int64_t TWipeBlindV::Phase() const {
  return (int64_t{Ramp()} + 2 * int64_t{Slat()} - 2) * t() / T();
}

bool TWipeBlindV::WriteMask(int64_t phase) {
  const int32_t slat = Slat();
  bool between = false;
  for (int32_t y = 0; y < MaskRows(); ++y) {
    const int32_t i = Reverse() ? slat - 1 - y % slat : y % slat;
    const uint8_t level = RampLevel(phase, 2 * int64_t{i}, Ramp());
    between = between || (level != 0 && level != 255);
    std::memset(MaskRow(y), level, static_cast<std::size_t>(W()));
  }
  return P1() < 2 && !between;
}

int32_t TWipeOrderHMask::ClampParam(int32_t index, int32_t value) const {
  return std::max(value, 1);
}

// b = (((L + p0 - 1) div p0 + p0 - 2) * 16 + p1) t / T, L the width (height)
int64_t TWipeOrderHMask::Phase() const {
  const int64_t p0 = std::max(P0(), 1), p1 = std::max(P1(), 1);
  const int64_t length = Vertical() ? H() : W();
  return (((length + p0 - 1) / p0 + p0 - 2) * 16 + p1) * t() / T();
}

// g = 16 (i div p0 + i mod p0)
uint8_t TWipeOrderHMask::Level(int64_t phase, int32_t i, int32_t length) const {
  const int32_t p0 = std::max(P0(), 1);
  if (Reverse()) i = length - 1 - i;
  return RampLevel(phase, 16 * (int64_t{i / p0} + i % p0), std::max(P1(), 1));
}

bool TWipeOrderHMask::WriteMask(int64_t phase) {
  if (Vertical()) {
    for (int32_t y = 0; y < MaskRows(); ++y)
      std::memset(MaskRow(y), Level(phase, y, H()), static_cast<std::size_t>(W()));
  } else {
    uint8_t* row = MaskRow(0);
    for (int32_t x = 0; x < W(); ++x) row[x] = Level(phase, x, W());
  }
  return P1() < 2;
}

}  // namespace rivo

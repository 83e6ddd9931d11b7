#include "text/coverage_tables.h"

#include <algorithm>
#include <array>

namespace rivo {
namespace {

constexpr std::array<uint8_t, 2> kLevel0 = {0, 255};
constexpr std::array<uint8_t, 5> kLevel1 = {0, 79, 127, 207, 255};
constexpr std::array<uint8_t, 17> kLevel2 = {0,   43,  55,  67,  79,  91,  103, 115, 159,
                                             171, 183, 195, 207, 219, 231, 243, 255};
constexpr std::array<uint8_t, 65> kLevel3 = {
    0,   18,  21,  24,  27,  30,  33,  36,  55,  58,  61,  64,  67,  70,  73,  76,  79,
    82,  85,  88,  91,  94,  97,  100, 119, 122, 125, 128, 131, 134, 137, 140, 143, 146,
    149, 152, 155, 158, 161, 164, 183, 186, 189, 192, 195, 198, 201, 204, 207, 210, 213,
    216, 219, 222, 225, 228, 231, 234, 237, 240, 243, 246, 249, 252, 255};

}  // namespace

std::span<const uint8_t> CoverageTable(int32_t level) {
  switch (level) {
    case 1: return kLevel1;
    case 2: return kLevel2;
    case 3: return kLevel3;
    default: return kLevel0;
  }
}

uint8_t CoverageOfLevel(int32_t level, int32_t raw) {
  const std::span<const uint8_t> table = CoverageTable(level);
  return table[std::clamp<int32_t>(raw, 0, static_cast<int32_t>(table.size()) - 1)];
}

}  // namespace rivo

#include "common/extended_real.h"

#include <cmath>

namespace rivo {

namespace {
constexpr int kBias = 16383;
constexpr int kMaxExponent = 0x7FFF;
constexpr uint64_t kIntegerBit = uint64_t{1} << 63;
}  // namespace

long double DecodeExtended(const uint8_t bytes[kExtendedSize]) {
  uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | bytes[i];
  unsigned top = bytes[8] | (bytes[9] << 8);
  bool negative = (top & 0x8000) != 0;
  int exponent = static_cast<int>(top & 0x7FFF);

  long double value;
  if (exponent == kMaxExponent) {
    value = (mantissa & ~kIntegerBit) == 0 ? HUGE_VALL : NAN;
  } else {
    // Denormals use the smallest exponent with the integer bit clear.
    int power = (exponent == 0 ? 1 : exponent) - kBias - 63;
    value = std::ldexp(static_cast<long double>(mantissa), power);
  }
  return negative ? -value : value;
}

void EncodeExtended(long double value, uint8_t bytes[kExtendedSize]) {
  uint64_t mantissa = 0;
  int exponent = 0;
  bool negative = std::signbit(value);
  long double magnitude = std::fabs(value);

  if (std::isnan(value)) {
    exponent = kMaxExponent;
    mantissa = kIntegerBit | (kIntegerBit >> 1);  // quiet NaN
  } else if (std::isinf(value)) {
    exponent = kMaxExponent;
    mantissa = kIntegerBit;
  } else if (magnitude != 0) {
    int power;
    long double fraction = std::frexp(magnitude, &power);  // magnitude = fraction * 2^power
    exponent = power - 1 + kBias;
    if (exponent >= kMaxExponent) {  // only where long double is wider than 80 bits
      exponent = kMaxExponent;
      mantissa = kIntegerBit;
    } else if (exponent <= 0) {
      exponent = 0;
      mantissa = static_cast<uint64_t>(std::ldexp(magnitude, kBias - 1 + 63));
    } else {
      mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64));
    }
  }
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(mantissa >> (8 * i));
  unsigned top = static_cast<unsigned>(exponent) | (negative ? 0x8000u : 0u);
  bytes[8] = static_cast<uint8_t>(top);
  bytes[9] = static_cast<uint8_t>(top >> 8);
}

}  // namespace rivo

#pragma once
// The 10-byte extended real of the stored formats: 64-bit mantissa with an
// explicit integer bit (bytes 0-7), then sign and 15-bit biased exponent
// (bytes 8-9), little-endian. Decoded bit by bit so it works wherever
// long double is not the x87 format; exact for every finite value on x86-64.

#include <cstdint>

namespace rivo {

constexpr int kExtendedSize = 10;

long double DecodeExtended(const uint8_t bytes[kExtendedSize]);
void EncodeExtended(long double value, uint8_t bytes[kExtendedSize]);

}  // namespace rivo

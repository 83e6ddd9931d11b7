#pragma once
// Grey added to or taken from 32-bit pixels (bytes B, G, R and a fourth
// byte, which is kept), each colour byte saturating like FillRectAdd and
// FillRectSub.

#include <cstdint>

namespace rivo::wipe_pixels {

// grey v (0..255) added to blue, green and red, each saturating at 255.
// Blue and red are added side by side; a carry out of a byte saturates it.
inline uint32_t AddGrey(uint32_t p, uint32_t v) {
  uint32_t rb = (p & 0xFF00FFu) + v * 0x10001u;
  const uint32_t carry = rb & 0x1000100u;
  rb = (rb | (carry - (carry >> 8))) & 0xFF00FFu;
  uint32_t g = (p & 0xFF00u) + (v << 8);
  g = (g & 0x10000u) ? 0xFF00u : g;
  return (p & 0xFF000000u) | rb | g;
}

// grey v (0..255) subtracted from blue, green and red, each stopping at 0.
// Each byte borrows from a guard bit above it; a byte that used its guard
// bit went below 0.
inline uint32_t SubGrey(uint32_t p, uint32_t v) {
  uint32_t rb = ((p & 0xFF00FFu) | 0x1000100u) - v * 0x10001u;
  const uint32_t kept = rb & 0x1000100u;
  rb &= (kept - (kept >> 8)) & 0xFF00FFu;
  uint32_t g = ((p & 0xFF00u) | 0x10000u) - (v << 8);
  g = (g & 0x10000u) ? g & 0xFF00u : 0;
  return (p & 0xFF000000u) | rb | g;
}

}  // namespace rivo::wipe_pixels

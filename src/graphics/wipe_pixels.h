#pragma once
// Per-pixel arithmetic of the transitions on 32-bit pixels (bytes B, G, R
// and a fourth byte), each byte on its own like the surface blends.

#include <cstdint>

namespace rivo::wipe_pixels {

// (a * m + b * (255 - m)) shr 8 in each byte.
inline uint32_t Mix(uint32_t a, uint32_t b, uint32_t m) {
  const uint32_t n = 255 - m;
  const uint32_t rb = (((a & 0xFF00FFu) * m + (b & 0xFF00FFu) * n) >> 8) & 0xFF00FFu;
  const uint32_t g = (((a & 0xFF00u) * m + (b & 0xFF00u) * n) >> 8) & 0xFF00u;
  const uint32_t x = (((a >> 24) * m + (b >> 24) * n) >> 8) << 24;
  return rb | g | x;
}

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

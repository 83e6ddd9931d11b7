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
inline uint32_t AddGrey(uint32_t p, uint32_t v) {
  uint32_t out = p & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t c = ((p >> shift) & 0xFF) + v;
    out |= (c > 255 ? 255 : c) << shift;
  }
  return out;
}

// grey v subtracted from blue, green and red, each stopping at 0.
inline uint32_t SubGrey(uint32_t p, uint32_t v) {
  uint32_t out = p & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t c = (p >> shift) & 0xFF;
    out |= (c > v ? c - v : 0) << shift;
  }
  return out;
}

}  // namespace rivo::wipe_pixels

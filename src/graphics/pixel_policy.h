#pragma once
// Pixel-format policies: how one format stores a pixel and does the per-
// channel arithmetic of the blends. Every raster operation is written once
// over a policy; a 15/16-bit policy would add its channel masks here.
//
// Arithmetic per channel c (mask M, weight w 0..255), always dividing by 256:
//   blend   (s*w + d*(255 - w)) shr 8
//   add     min(M, d + ((s*w) shr 8))
//   fill add min(M, d + c), fill subtract max(0, d - c)
// On 32 bits all four bytes follow these formulas; the fourth byte is 0 in
// every pixel the player makes, so it stays 0.

#include <cstdint>

namespace rivo {

struct Bgrx32 {
  using Pixel = uint32_t;
  static constexpr int32_t kBitCount = 32;

  // Native values keep their colour bytes only.
  static constexpr Pixel FromValue(uint32_t v) { return v & 0x00FFFFFF; }

  static constexpr Pixel Blend(Pixel s, Pixel d, uint32_t w) {
    const uint32_t iw = 255 - w;
    return ((((s & 0xFF00FF) * w + (d & 0xFF00FF) * iw) >> 8) & 0xFF00FF) |
           ((((s >> 8) & 0xFF00FF) * w + ((d >> 8) & 0xFF00FF) * iw) & 0xFF00FF00);
  }
  static constexpr Pixel Add(Pixel d, Pixel s, uint32_t w) {
    return AddSaturate(d, (((s & 0xFF00FF) * w >> 8) & 0xFF00FF) |
                              ((((s >> 8) & 0xFF00FF) * w) & 0xFF00FF00));
  }
  static constexpr Pixel AddSaturate(Pixel d, Pixel c) {
    return AddLanes(d & 0xFF00FF, c & 0xFF00FF) | AddLanes((d >> 8) & 0xFF00FF, (c >> 8) & 0xFF00FF) << 8;
  }
  static constexpr Pixel SubSaturate(Pixel d, Pixel c) {
    return SubLanes(d & 0xFF00FF, c & 0xFF00FF) | SubLanes((d >> 8) & 0xFF00FF, (c >> 8) & 0xFF00FF) << 8;
  }

 private:
  // Two bytes at bits 0 and 16, each with room for a carry.
  static constexpr uint32_t AddLanes(uint32_t a, uint32_t b) {
    const uint32_t sum = a + b;
    return (sum | ((sum & 0x01000100) >> 8) * 0xFF) & 0xFF00FF;
  }
  static constexpr uint32_t SubLanes(uint32_t a, uint32_t b) {
    const uint32_t diff = (a | 0x01000100) - b;
    return diff & ((diff & 0x01000100) >> 8) * 0xFF;
  }
};

// 8-bit surfaces: masks, coverage layers, palette indices. One channel.
struct Byte8 {
  using Pixel = uint8_t;
  static constexpr int32_t kBitCount = 8;

  static constexpr Pixel FromValue(uint32_t v) { return static_cast<Pixel>(v); }
  static constexpr Pixel Blend(Pixel s, Pixel d, uint32_t w) {
    return static_cast<Pixel>((s * w + d * (255 - w)) >> 8);
  }
  static constexpr Pixel Add(Pixel d, Pixel s, uint32_t w) {
    return AddSaturate(d, static_cast<Pixel>((s * w) >> 8));
  }
  static constexpr Pixel AddSaturate(Pixel d, Pixel c) {
    return static_cast<Pixel>(d + c > 255 ? 255 : d + c);
  }
  static constexpr Pixel SubSaturate(Pixel d, Pixel c) { return static_cast<Pixel>(d > c ? d - c : 0); }
};

}  // namespace rivo

#pragma once
// The channel layout of a packed pixel: red above green above blue, each a
// run of bits. The store knows three layouts: 5-5-5 and 5-6-5 for 16-bit
// pictures and 8-8-8 for everything else (24 and 32 bits, and as a formality
// for palette pictures).

#include <cstdint>

namespace rivo {

struct TPixelFormat {
  uint32_t red_mask = 0, green_mask = 0, blue_mask = 0;
  uint32_t red_bits = 0, green_bits = 0, blue_bits = 0;

  static constexpr TPixelFormat FromWidths(uint32_t r, uint32_t g, uint32_t b) {
    return {((1u << r) - 1) << (g + b), ((1u << g) - 1) << b, (1u << b) - 1, r, g, b};
  }
  static constexpr TPixelFormat Rgb555() { return FromWidths(5, 5, 5); }
  static constexpr TPixelFormat Rgb565() { return FromWidths(5, 6, 5); }
  static constexpr TPixelFormat Rgb888() { return FromWidths(8, 8, 8); }

  // Where an 8-bit component goes: left shifts for red and green, a right
  // shift for blue (the packing keeps the component's top bits).
  constexpr uint32_t RedShift() const { return red_bits + green_bits + blue_bits - 8; }
  constexpr uint32_t GreenShift() const { return green_bits + blue_bits - 8; }
  constexpr uint32_t BlueShift() const { return 8 - blue_bits; }

  constexpr uint32_t Pack(uint32_t r, uint32_t g, uint32_t b) const {
    return ((r << RedShift()) & red_mask) | ((g << GreenShift()) & green_mask) |
           ((b >> BlueShift()) & blue_mask);
  }

  // Splits a value into 8-bit components. Each channel lands in the top bits
  // of its byte and its top bits are repeated below it (c or c shr (8 - w)),
  // which is how pictures change depth.
  constexpr void Split(uint32_t v, uint32_t& r, uint32_t& g, uint32_t& b) const {
    r = Widen((v & red_mask) >> (green_bits + blue_bits), red_bits);
    g = Widen((v & green_mask) >> blue_bits, green_bits);
    b = Widen(v & blue_mask, blue_bits);
  }

  friend constexpr bool operator==(const TPixelFormat&, const TPixelFormat&) = default;

 private:
  static constexpr uint32_t Widen(uint32_t channel, uint32_t width) {
    uint32_t c = (channel << (8 - width)) & 0xFF;
    return c | (c >> (8 - width));
  }
};

}  // namespace rivo

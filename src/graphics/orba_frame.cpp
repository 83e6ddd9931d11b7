#include "graphics/orba_frame.h"

#include <utility>

namespace rivo {

namespace {

// The value as a pixel of this bit count holds it (its low bits).
uint32_t HeldValue(int32_t value, int32_t bits) {
  const auto v = static_cast<uint32_t>(value);
  return bits >= 32 ? v : v & ((1u << bits) - 1);
}

}  // namespace

void TOrbaFrame::MakeMask() {
  TDIBSurface& mask = surface.CreateMask();
  const int32_t bits = surface.BitCount();
  const uint32_t key = HeldValue(transparent_value, bits);
  for (int32_t y = 0; y < surface.Height(); ++y) {
    const uint8_t* row = std::as_const(surface).ScanLine(y);
    uint8_t* m = mask.ScanLine(y);
    for (int32_t x = 0; x < surface.Width(); ++x)
      m[x] = transparent_value >= 0 && RowPixel(row, x, bits) == key ? 0 : 255;
  }
}

void TOrbaFrame::SetTransparentValue(int32_t value) {
  transparent_value = value < 0 ? -1 : value;
  if (transparent_value < 0) {
    transparent_color = -1;
    return;
  }
  const TRgb c = surface.ValueToColor(HeldValue(value, surface.BitCount()), true);
  transparent_color = c.red | c.green << 8 | c.blue << 16;
}

}  // namespace rivo

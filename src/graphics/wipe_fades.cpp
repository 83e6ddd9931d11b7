// Fade, white, black and flash: whole-screen blends and grey fills.

#include "common/numbers.h"
#include "graphics/picture_wipes.h"

namespace rivo {
namespace {

uint32_t GreyPixel(const TDIBX& dest, int64_t v) {
  return static_cast<uint32_t>(dest.ColorToPixel(v << 16 | v << 8 | v));
}

}  // namespace

// f = (T - t - 1) / T; new at (Round(p0 f), Round(p1 f)) with alpha 256 t / T.
void TWipeFade::Draw() {
  const long double f = static_cast<long double>(T() - t() - 1) / T();
  CrossFade(old_, new_, RoundToInt32(P0() * f), RoundToInt32(P1() * f), static_cast<int32_t>(256 * t() / T()));
}

// s = 511 t / T: old brightened by s, then new by 511 - s.
void TWipeWhite::Draw() {
  const int64_t s = 511 * t() / T();
  Tint(s < 256 ? old_ : new_, GreyPixel(dest_, s < 256 ? s : 511 - s), Darkens());
}

// s = 255 t / T: new brightened by 255 - s.
void TWipeFlash::Draw() {
  const int64_t s = 255 * t() / T();
  Tint(new_, GreyPixel(dest_, 255 - s), false);
}

}  // namespace rivo

// Mosaic: the picture shrunk into a corner of a work surface and stretched
// back over the screen, so that it shows in blocks.

#include <algorithm>

#include "graphics/picture_wipes.h"

namespace rivo {

void TWipeMosaic::Prepare() { work_.SetSize(W(), H(), 32); }

void TWipeMosaic::Blocky(const TCustomDIBX& picture, int32_t w, int32_t h, int32_t alpha) {
  const TRect corner{0, 0, w, h};
  work_.StretchDraw(corner, picture, 255, false, false, false, picture.GetBounds());
  dest_.StretchDraw(dest_.GetBounds(), work_, alpha, false, false, false, corner);
}

// p = 1023 t / T. The corner is (W div 4) k shr 8 by (H div 4) k shr 8
// (1 at least): k falls from 263 to 24 over old, blending in new from
// p = 256, and rises again over new alone from p = 768.
void TWipeMosaic::Draw() {
  const int64_t p = 1023 * t() / T();
  int64_t k = 0;
  if (p <= 255)
    k = 263 - (p / 2) * 15 / 16;
  else if (p <= 511)
    k = 263 - (((p / 2) * 15) >> 4);
  else
    k = ((p - 512) >> 1) * 15 / 16 + 24;
  const auto side = [k](int32_t length) {
    return static_cast<int32_t>(std::max<int64_t>(1, ((length / 4) * k) >> 8));
  };
  const int32_t w = side(W()), h = side(H());
  if (p >= 768) {
    Blocky(new_, w, h, 255);
    return;
  }
  Blocky(old_, w, h, 255);
  if (p >= 512)
    Blocky(new_, w, h, static_cast<int32_t>((p - 256) / 2));
  else if (p >= 256)
    Blocky(new_, w, h, static_cast<int32_t>((p - 256) / 4));
}

}  // namespace rivo

// Spotlight, mask white and mask black: per-pixel moments at which a pixel
// goes bright (dark) and turns from old to new.

#include <algorithm>
#include <cmath>

#include "common/numbers.h"
#include "graphics/picture_wipes.h"
#include "graphics/wipe_grey_plane.h"
#include "graphics/wipe_pixels.h"

namespace rivo {

// d = Round(hypot(y - H/2, x - W/2)) (reversed: the corner distance minus
// that); the range is the corner distance + 512.
void TWipeSpot::Prepare() {
  const int64_t corner = Round(std::hypot(static_cast<long double>(H() / 2), W() / 2));
  range_ = corner + 512;
  distance_.resize(static_cast<std::size_t>(W()) * static_cast<std::size_t>(H()));
  for (int32_t y = 0; y < H(); ++y)
    for (int32_t x = 0; x < W(); ++x) {
      const int64_t d = Round(std::hypot(static_cast<long double>(y - H() / 2), x - W() / 2));
      distance_[static_cast<std::size_t>(y) * W() + x] =
          static_cast<int32_t>(Reverse() ? corner - d : d);
    }
}

// b = range t / T. A pixel shows old while b < d + 256, else new; from b = d
// to d + 511 a grey rising to 255 and falling again is added.
void TWipeSpot::Draw() {
  const int64_t b = range_ * t() / T();
  const TPixelSource o = old_.SourcePixels(), n = new_.SourcePixels();
  TDIBSurface& store = dest_.Store();
  uint8_t* bits = store.MutableBits();
  for (int32_t y = 0; y < H(); ++y) {
    const int32_t* d = &distance_[static_cast<std::size_t>(y) * W()];
    const uint32_t* orow = o.Row<uint32_t>(y);
    const uint32_t* nrow = n.Row<uint32_t>(y);
    auto* out = reinterpret_cast<uint32_t*>(bits + store.Pitch() * y);
    for (int32_t x = 0; x < W(); ++x) {
      const int64_t k = b - d[x];
      const uint32_t source = k < 256 ? orow[x] : nrow[x];
      if (k < 0 || k >= 512)
        out[x] = source;
      else
        out[x] = wipe_pixels::AddGrey(source, static_cast<uint32_t>(k < 256 ? k : 511 - k));
    }
  }
}

void TWipeShadowWhite::Prepare() {
  offsets_ = WipeGreyOffsets(environment_.masks, MaskName(), Reverse(), W(), H());
}

// i = 768 t / T + 255; v = ramp(i + d): 0 up to 255, k - 256 up to 767, 511
// above. v <= 255: old plus grey v; else new plus grey 511 - v.
void TWipeShadowWhite::Draw() {
  const int64_t i = 768 * t() / T() + 255;
  const TPixelSource o = old_.SourcePixels(), n = new_.SourcePixels();
  TDIBSurface& store = dest_.Store();
  uint8_t* bits = store.MutableBits();
  const bool darkens = Darkens();
  for (int32_t y = 0; y < H(); ++y) {
    const int16_t* d = &offsets_[static_cast<std::size_t>(y) * W()];
    const uint32_t* orow = o.Row<uint32_t>(y);
    const uint32_t* nrow = n.Row<uint32_t>(y);
    auto* out = reinterpret_cast<uint32_t*>(bits + store.Pitch() * y);
    for (int32_t x = 0; x < W(); ++x) {
      const int64_t k = i + d[x];
      const int64_t v = k <= 255 ? 0 : k <= 767 ? k - 256 : 511;
      const uint32_t source = v <= 255 ? orow[x] : nrow[x];
      const auto grey = static_cast<uint32_t>(v <= 255 ? v : 511 - v);
      out[x] = darkens ? wipe_pixels::SubGrey(source, grey) : wipe_pixels::AddGrey(source, grey);
    }
  }
}

}  // namespace rivo

#pragma once
// Text layers are sized from what scripts give (texts, font heights,
// borders). These keep them within what a surface may hold, and size and
// clear a layer in one pass.

#include <algorithm>
#include <cstdint>

#include "graphics/dib.h"
#include "graphics/dibx.h"
#include "platform/font_rasteriser.h"

namespace rivo {

// A label font height: 1 ... kMaxFontHeight, as markup sizes are.
inline int32_t ClampLabelFontHeight(int32_t height) { return std::clamp(height, 1, kMaxFontHeight); }

struct LayerSize {
  int32_t width = 0;
  int32_t height = 0;
};

// A message window's layers hold at most this many pixels (2048 x 2048,
// 20 MB with the coverage): window sizes come from scripts and saves, and a
// window far beyond any screen would otherwise take hundreds of megabytes
// and seconds to clear.
constexpr int64_t kMaxTextLayerPixels = int64_t{1} << 22;

// width x height cut to the surface limits (the side, then the pixel count,
// which takes from the width: text runs along it). Negative sizes become 0.
inline LayerSize CapLayerSize(int64_t width, int64_t height, int64_t max_pixels = kMaxPicturePixels) {
  LayerSize size;
  size.height = static_cast<int32_t>(std::clamp<int64_t>(height, 0, kMaxPictureSide));
  int64_t w = std::clamp<int64_t>(width, 0, kMaxPictureSide);
  if (size.height > 0) w = std::min<int64_t>(w, max_pixels / size.height);
  size.width = static_cast<int32_t>(w);
  return size;
}

// Sizes an 8- or 32-bit layer (kept when its size is right) and sets every
// byte of its store, row padding included, to value's (a native pixel
// value): a new store is not zeroed first only to be filled again, as the
// layers of a long text are large.
void ResetLayer(TDIBX& layer, LayerSize size, int32_t bit_count, uint32_t value);

}  // namespace rivo

#pragma once
// Text layers are sized from what scripts give (texts, font heights,
// borders). These keep them within what a surface may hold.

#include <algorithm>
#include <cstdint>

#include "graphics/dib.h"
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

}  // namespace rivo

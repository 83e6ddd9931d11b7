// Blur white and blur black: old blurs and goes white (black), new comes
// out of it blurred and sharpens.

#include <algorithm>
#include <vector>

#include "graphics/picture_wipes.h"

namespace rivo {
namespace {

// Each pixel the average of the (2r + 1)^2 square around it, counting only
// the pixels inside the picture. Sums run along rows, then down columns.
void BoxBlur(const TCustomDIBX& picture, int32_t r, TDIBX& out) {
  const TPixelSource p = picture.SourcePixels();
  const int32_t w = p.width, h = p.height;
  out.SetSize(w, h, 32);
  // Per pixel the three channel sums of its row segment.
  std::vector<uint32_t> across(static_cast<std::size_t>(w) * h * 3);
  for (int32_t y = 0; y < h; ++y) {
    const uint32_t* row = p.Row<uint32_t>(y);
    for (int c = 0; c < 3; ++c) {
      uint32_t sum = 0;
      // A running window [x - r, x + r] cut to the row.
      for (int32_t x = 0; x < std::min(r, w); ++x) sum += (row[x] >> (8 * c)) & 0xFF;
      for (int32_t x = 0; x < w; ++x) {
        if (x + r < w) sum += (row[x + r] >> (8 * c)) & 0xFF;
        if (x - r - 1 >= 0) sum -= (row[x - r - 1] >> (8 * c)) & 0xFF;
        across[(static_cast<std::size_t>(y) * w + x) * 3 + c] = sum;
      }
    }
  }
  TDIBSurface& store = out.Store();
  uint8_t* bits = store.MutableBits();
  std::vector<uint32_t> sums(static_cast<std::size_t>(w) * 3, 0);
  const auto add_row = [&](int32_t y, int sign) {
    const uint32_t* a = &across[static_cast<std::size_t>(y) * w * 3];
    for (std::size_t i = 0; i < sums.size(); ++i) sums[i] += sign > 0 ? a[i] : 0u - a[i];
  };
  for (int32_t y = 0; y < std::min(r, h); ++y) add_row(y, 1);
  for (int32_t y = 0; y < h; ++y) {
    if (y + r < h) add_row(y + r, 1);
    if (y - r - 1 >= 0) add_row(y - r - 1, -1);
    const uint32_t rows = static_cast<uint32_t>(std::min(h - 1, y + r) - std::max(0, y - r) + 1);
    auto* dest = reinterpret_cast<uint32_t*>(bits + store.Pitch() * y);
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t count =
          rows * static_cast<uint32_t>(std::min(w - 1, x + r) - std::max(0, x - r) + 1);
      uint32_t pixel = 0;
      for (int c = 0; c < 3; ++c)
        pixel |= (sums[static_cast<std::size_t>(x) * 3 + c] / count) << (8 * c);
      dest[x] = pixel;
    }
  }
}

}  // namespace

void TWipeBlurWhite::Prepare() { blurred_ = false; }

// p = 639 t / T: old blurring (alpha p), the blur going white (grey
// 4 (p - 256)), new's blur coming out of white (4 (383 - p)), new
// sharpening (blur alpha 639 - p). The pictures are blurred at the first
// step, when both are composed for the frame.
void TWipeBlurWhite::Draw() {
  if (!blurred_) {
    const int32_t radius = std::min(W(), H()) / 20;
    BoxBlur(old_, radius, blurred_old_);
    BoxBlur(new_, radius, blurred_new_);
    blurred_ = true;
  }
  const int64_t p = 639 * t() / T();
  const auto tint = [&](const TDIBX& picture, int64_t v) {
    Tint(picture, static_cast<uint32_t>(dest_.ColorToPixel(v << 16 | v << 8 | v)), Darkens());
  };
  if (p < 256) {
    CrossFade(old_, blurred_old_, 0, 0, static_cast<int32_t>(p));
  } else if (p < 320) {
    tint(blurred_old_, 4 * (p - 256));
  } else if (p < 384) {
    tint(blurred_new_, 4 * (383 - p));
  } else {
    CrossFade(new_, blurred_new_, 0, 0, static_cast<int32_t>(639 - p));
  }
}

}  // namespace rivo

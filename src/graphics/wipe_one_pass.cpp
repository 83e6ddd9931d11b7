// Frames composed from whole pictures in one pass, reading each picture
// once and writing the screen once. The cross-fade (fades, ripples on tiny
// screens, blurs) copies the rows that over does not reach from under and
// blends the rest straight from both pictures; the tint (white, black,
// flash, blurs) adds or takes away a grey.

#include <algorithm>
#include <cstring>

#include "graphics/bgrx_simd.h"
#include "graphics/custom_wipe.h"
#include "graphics/pixel_policy.h"
#include "graphics/raster_runners.h"

namespace rivo {

void TCustomWipe::CrossFade(const TCustomDIBX& under, const TCustomDIBX& over, int32_t x, int32_t y,
                            int32_t alpha) {
  const TPixelSource u = under.SourcePixels(), o = over.SourcePixels();
  TDIBSurface& store = dest_.Store();
  uint8_t* bits = store.MutableBits();
  const int32_t w = W(), h = H();
  // Where over lands, cut to the screen (offsets may be as large as the
  // parameters); alpha 0 draws nothing.
  const auto cut = [](int64_t v, int32_t length) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, length)); };
  const int32_t left = cut(x, w), right = cut(int64_t{x} + w, w);
  const int32_t top = cut(y, h), bottom = cut(int64_t{y} + h, h);
  const bool blends = alpha > 0 && left < right && top < bottom;
  const uint32_t weight = ClampWeight(alpha);
  const BgrxKernelSet& kernels = BgrxKernels();
  const auto copy = [](uint32_t* to, const uint32_t* from, int32_t n) {
    if (n > 0) std::memcpy(to, from, sizeof(uint32_t) * static_cast<std::size_t>(n));
  };
  for (int32_t row = 0; row < h; ++row) {
    auto* d = reinterpret_cast<uint32_t*>(bits + store.Pitch() * row);
    const uint32_t* under_row = u.Row<uint32_t>(row);
    if (!blends || row < top || row >= bottom) {
      copy(d, under_row, w);
      continue;
    }
    copy(d, under_row, left);
    kernels.blend_onto(d + left, under_row + left, o.Row<uint32_t>(row - y) + (left - x), right - left, weight);
    copy(d + right, under_row + right, w - right);
  }
}

void TCustomWipe::Tint(const TCustomDIBX& picture, uint32_t grey, bool darken) {
  const TPixelSource p = picture.SourcePixels();
  TDIBSurface& store = dest_.Store();
  uint8_t* bits = store.MutableBits();
  const BgrxKernelSet& kernels = BgrxKernels();
  const auto tint = darken ? kernels.fill_sub_onto : kernels.fill_add_onto;
  const uint32_t c = Bgrx32::FromValue(grey);
  for (int32_t row = 0; row < H(); ++row)
    tint(reinterpret_cast<uint32_t*>(bits + store.Pitch() * row), p.Row<uint32_t>(row), W(), c);
}

}  // namespace rivo

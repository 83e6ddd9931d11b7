// Ripple: a ring runs out from the centre; inside it new is sampled further
// out or in along each pixel's direction. The geometry is computed once for
// the top-left quadrant and mirrored into the other three.

#include <algorithm>
#include <cmath>

#include "common/numbers.h"
#include "graphics/picture_wipes.h"

namespace rivo {

// The ring table has L = (2 min(W div 2, H div 2)) div 3 entries, entry i =
// (i mod (L div 4)) p0 / (L div 4). The quadrant is rounded up so that the
// middle row and column of odd sizes belong to it.
void TWipeRipple::Prepare() {
  const int32_t cx = W() / 2, cy = H() / 2;
  quadrant_w_ = (W() + 1) / 2;
  quadrant_h_ = (H() + 1) / 2;
  quadrant_.resize(static_cast<std::size_t>(quadrant_w_) * static_cast<std::size_t>(quadrant_h_));
  for (int32_t y = 0; y < quadrant_h_; ++y)
    for (int32_t x = 0; x < quadrant_w_; ++x) {
      const long double dx = x - cx, dy = y - cy, length = std::hypot(dx, dy);
      QuadrantPixel& q = quadrant_[static_cast<std::size_t>(y) * quadrant_w_ + x];
      q.distance = RoundToInt32(length);
      q.cos16 = length > 0 ? RoundToInt32(dx / length * 65536) : 0;
      q.sin16 = length > 0 ? RoundToInt32(dy / length * 65536) : 0;
    }
  const int32_t ring_length = 2 * std::min(cx, cy) / 3, wave = ring_length / 4;
  ring_.clear();
  // Screens under 12 pixels have no room for a wave: Draw cross-fades.
  if (wave == 0) return;
  ring_.resize(static_cast<std::size_t>(ring_length));
  for (int32_t i = 0; i < ring_length; ++i)
    ring_[static_cast<std::size_t>(i)] = static_cast<int32_t>(int64_t{i % wave} * P0() / wave);
}

// F = (Round(hypot(H/2, W/2)) + L) t / T; k = d + L - 1 - F: beyond the ring
// old, inside it new sampled at radius d + ring[k], behind it new.
void TWipeRipple::Draw() {
  if (ring_.empty()) {
    CrossFade(old_, new_, 0, 0, static_cast<int32_t>(256 * t() / T()));
    return;
  }
  const int32_t w = W(), h = H(), cx = w / 2, cy = h / 2;
  const auto ring_length = static_cast<int64_t>(ring_.size());
  const int64_t front =
      (Round(std::hypot(static_cast<long double>(cy), cx)) + ring_length) * t() / T();
  const TPixelSource o = old_.SourcePixels(), n = new_.SourcePixels();
  TDIBSurface& store = dest_.Store();
  uint8_t* bits = store.MutableBits();
  const auto out = [&](int32_t x, int32_t y) -> uint32_t& {
    return reinterpret_cast<uint32_t*>(bits + store.Pitch() * y)[x];
  };
  for (int32_t y = 0; y < quadrant_h_; ++y)
    for (int32_t x = 0; x < quadrant_w_; ++x) {
      const QuadrantPixel& q = quadrant_[static_cast<std::size_t>(y) * quadrant_w_ + x];
      const int64_t k = q.distance + ring_length - 1 - front;
      for (int mirror = 0; mirror < 4; ++mirror) {
        const bool mx = mirror & 1, my = mirror & 2;
        const int32_t px = mx ? w - 1 - x : x, py = my ? h - 1 - y : y;
        if (k > ring_length - 1) {
          out(px, py) = o.Row<uint32_t>(py)[px];
          continue;
        }
        int64_t sx = px, sy = py;
        if (k >= 0) {
          const int64_t radius = q.distance + ring_[static_cast<std::size_t>(k)];
          sx = cx + ((radius * q.cos16) >> 16);
          sy = cy + ((radius * q.sin16) >> 16);
          if (mx) sx = w - 1 - sx;
          if (my) sy = h - 1 - sy;
          if (sx < 0 || sy < 0 || sx >= w || sy >= h) sx = px, sy = py;
        }
        out(px, py) = n.Row<uint32_t>(static_cast<int32_t>(sy))[sx];
      }
    }
}

}  // namespace rivo

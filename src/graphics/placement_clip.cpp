#include "graphics/placement_clip.h"

#include <algorithm>

namespace rivo {
namespace {

// One axis: destination pos + j shows source lo + j (hi - 1 - j flipped).
bool ClipAxis(int64_t pos, int64_t lo, int64_t hi, bool flip, int64_t bound_lo, int64_t bound_hi,
              int64_t clip_lo, int64_t clip_hi, int32_t& dest_lo, int32_t& src_lo,
              int32_t& src_hi) {
  int64_t j0 = 0, j1 = hi - lo;
  if (flip) {
    j0 = std::max(j0, hi - bound_hi);
    j1 = std::min(j1, hi - bound_lo);
  } else {
    j0 = std::max(j0, bound_lo - lo);
    j1 = std::min(j1, bound_hi - lo);
  }
  j0 = std::max(j0, clip_lo - pos);
  j1 = std::min(j1, clip_hi - pos);
  if (j0 >= j1) return false;
  dest_lo = static_cast<int32_t>(pos + j0);
  src_lo = static_cast<int32_t>(flip ? hi - j1 : lo + j0);
  src_hi = static_cast<int32_t>(flip ? hi - j0 : lo + j1);
  return true;
}

}  // namespace

bool ClipPlacement(int32_t x, int32_t y, const TRect& s, bool flip_v, bool flip_h,
                   const TRect& bounds, const TRect& clip, TPlacement& out) {
  if (!ClipAxis(x, s.Left, s.Right, flip_h, bounds.Left, bounds.Right, clip.Left, clip.Right,
                out.dest.Left, out.source.Left, out.source.Right) ||
      !ClipAxis(y, s.Top, s.Bottom, flip_v, bounds.Top, bounds.Bottom, clip.Top, clip.Bottom,
                out.dest.Top, out.source.Top, out.source.Bottom))
    return false;
  out.dest.Right = out.dest.Left + out.source.Width();
  out.dest.Bottom = out.dest.Top + out.source.Height();
  return true;
}

}  // namespace rivo

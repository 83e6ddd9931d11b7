#pragma once
// Rectangles of pixels: Left and Top inclusive, Right and Bottom exclusive.
// Arithmetic on coordinates wraps at 32 bits like the machine's, so that any
// rectangle a script computes is defined (one that wraps comes out empty).

#include <algorithm>
#include <cstdint>

#include "common/numbers.h"

namespace rivo {

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  constexpr int32_t Width() const { return WrapSub(Right, Left); }
  constexpr int32_t Height() const { return WrapSub(Bottom, Top); }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(int32_t x, int32_t y) const {
    return x >= Left && x < Right && y >= Top && y < Bottom;
  }
  constexpr TRect Offset(int32_t dx, int32_t dy) const {
    return {WrapAdd(Left, dx), WrapAdd(Top, dy), WrapAdd(Right, dx), WrapAdd(Bottom, dy)};
  }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

// (x, y, x + width, y + height).
constexpr TRect Bounds(int32_t x, int32_t y, int32_t width, int32_t height) {
  return {x, y, WrapAdd(x, width), WrapAdd(y, height)};
}

// The common part; may come out empty (then only IsEmpty is meaningful).
constexpr TRect Intersect(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
}

// The smallest rectangle holding both; an empty side does not count.
constexpr TRect Union(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

}  // namespace rivo

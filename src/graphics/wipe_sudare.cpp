// Sudare and rubber: a strip of the picture drawn out over the columns
// (rows) on one side of it, sweeping across old and back across new.

#include <algorithm>
#include <cstdlib>

#include "common/numbers.h"
#include "graphics/picture_wipes.h"

namespace rivo {

TRect TWipeSudareH::Band(int64_t from, int64_t to) const {
  const auto f = static_cast<int32_t>(from), e = static_cast<int32_t>(to);
  return Vertical() ? TRect{0, f, W(), e} : TRect{f, 0, e, H()};
}

// a = (2L - 1) t / T; below L the picture is old, else new with
// a := 2L - a - 1. Forward: the strip ending at a is stretched over 0..a and
// the rest drawn as it is; reversed: the strip starting at L - a - 1 is
// stretched over L - a - 1..L - 1.
void TWipeSudareH::Draw() {
  const int64_t length = Vertical() ? H() : W();
  int64_t a = (2 * length - 1) * t() / T();
  const TCustomDIBX& picture = a < length ? old_ : new_;
  if (a >= length) a = 2 * length - a - 1;
  const int64_t extra = StripExtra(a);
  const auto draw = [&](const TRect& band) {
    if (!band.IsEmpty()) dest_.Draw(band.Left, band.Top, false, false, false, band, picture);
  };
  if (!Reverse()) {
    dest_.StretchDraw(Band(0, a + 1), picture, 255, false, false, false,
                      Band(std::max<int64_t>(0, a - extra), a + 1));
    draw(Band(a + 1, length));
  } else {
    const int64_t c = length - a - 1;
    dest_.StretchDraw(Band(c, length), picture, 255, false, false, false,
                      Band(c, std::min(length, c + extra + 1)));
    draw(Band(0, c));
  }
}

// g = max(1, Round(|t - T/2| ((a + 1) / 2) / (T/2))) with the real half of
// T, so that a duration of 1 ms does not divide by zero.
int64_t TWipeRubberH::StripExtra(int64_t a) const {
  const long double half = T() / 2.0L;
  const long double from_middle = std::abs(static_cast<long double>(t()) - half);
  return std::max<int64_t>(1, Round(from_middle * ((a + 1) / 2.0L) / half));
}

}  // namespace rivo

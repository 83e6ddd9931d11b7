// Twists: every row (column) turns over like a card, the turn running along
// the screen. Rows the turn has not reached yet show old.

#include <cmath>
#include <numbers>

#include "common/numbers.h"
#include "graphics/picture_wipes.h"

namespace rivo {

// phi = (3 pi / 2) t / T; line i turns at theta = phi - (pi / 2) i / L.
// Turning lines are cleared to 0 and show old narrowed to a centred width
// Round(across cos theta) while that is positive, then new widening to
// -Round(across cos theta); lines past theta = pi show new.
void TWipeTwistH::Draw() {
  constexpr long double kPi = std::numbers::pi_v<long double>;
  const bool vertical = Vertical();
  const int32_t lines = vertical ? W() : H(), across = vertical ? H() : W();
  const long double phi = 1.5L * kPi * t() / T();
  // Line l as a rectangle, spanning [from, to) across.
  const auto line = [&](int32_t l, int32_t from, int32_t to) {
    return vertical ? TRect{l, from, l + 1, to} : TRect{from, l, to, l + 1};
  };
  dest_.Assign(old_);
  for (int32_t i = 0; i < lines; ++i) {
    const int32_t l = Reverse() ? lines - 1 - i : i;
    const long double theta = phi - kPi / 2 * i / lines;
    if (theta < 0) continue;
    const TRect whole = line(l, 0, across);
    if (theta >= kPi) {
      dest_.Draw(whole.Left, whole.Top, false, false, false, whole, new_);
      continue;
    }
    dest_.FillRect(whole, 0);
    const int32_t width = RoundToInt32(across * std::cos(theta));
    if (width == 0) continue;
    const int32_t size = width > 0 ? width : -width;
    const int32_t from = (across - size) / 2;
    dest_.StretchDraw(line(l, from, from + size), width > 0 ? old_ : new_, 255, false, false,
                      false, whole);
  }
}

}  // namespace rivo

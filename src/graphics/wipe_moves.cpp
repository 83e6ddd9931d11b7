// Scrolls, shrinking, growing and zoom-in: the pictures moved, turned and
// scaled whole.

#include <algorithm>

#include "common/numbers.h"
#include "graphics/picture_wipes.h"

namespace rivo {

// a = L t / T; old at -a and new at L - a (reversed: a and a - L).
void TWipeScrollH::Draw() {
  const int32_t length = Vertical() ? H() : W();
  const auto a = static_cast<int32_t>(length * t() / T());
  const int32_t old_at = Reverse() ? a : -a;
  const int32_t new_at = Reverse() ? a - length : length - a;
  const auto place = [&](const TCustomDIBX& picture, int32_t at) {
    dest_.Draw(Vertical() ? 0 : at, Vertical() ? at : 0, false, false, false, picture.GetBounds(),
               picture);
  };
  place(old_, old_at);
  place(new_, new_at);
}

// z = Round((T - t - 1) / T * 255): old turned by Round(p0 t / T) and
// zoomed and faded by z over new.
void TWipeSmall::Draw() {
  const int32_t z = RoundToInt32(static_cast<long double>(T() - t() - 1) / T() * 255);
  const long double turn = static_cast<long double>(Reverse() ? -int64_t{P0()} : P0()) * t() / T();
  dest_.Assign(new_);
  dest_.DrawRotate(W() / 2, H() / 2, z, false, false, false,
                   TRotation{RoundToInt32(turn), W() / 2, H() / 2, z, z}, old_.GetBounds(), old_);
}

// z = Round(t / T * 255): new turned by Round(p0 (T - t - 1) / T), zoomed
// and faded in by z over old.
void TWipeBig::Draw() {
  const int32_t z = RoundToInt32(static_cast<long double>(t()) / T() * 255);
  const long double turn =
      static_cast<long double>(Reverse() ? -int64_t{P0()} : P0()) * (T() - t() - 1) / T();
  dest_.Assign(old_);
  dest_.DrawRotate(W() / 2, H() / 2, z, false, false, false,
                   TRotation{RoundToInt32(turn), W() / 2, H() / 2, z, z}, new_.GetBounds(), new_);
}

// c = 2t / T: old seen through a window of scale 1 - c that slides towards
// (p0, p1) with weight c, then new through a window of scale c - 1 with
// weight 2 - c. The window is moved inside the picture and stretched over
// the screen.
void TWipeZoomin::Draw() {
  const long double c = 2.0L * t() / T();
  const bool first_half = c <= 1;
  const long double scale = first_half ? 1 - c : c - 1;
  const long double weight = first_half ? c : 2 - c;
  const auto edge = [&](int32_t point, int32_t length, int32_t size) {
    const int64_t e = Round((point - length / 2.0L) * weight) + length / 2 - size / 2;
    return static_cast<int32_t>(std::clamp<int64_t>(e, 0, length - size));
  };
  const int32_t sw = std::max<int32_t>(1, RoundToInt32(W() * scale));
  const int32_t sh = std::max<int32_t>(1, RoundToInt32(H() * scale));
  const int32_t left = edge(P0(), W(), sw), top = edge(P1(), H(), sh);
  dest_.StretchDraw(dest_.GetBounds(), first_half ? old_ : new_, 255, false, false, false,
                    Bounds(left, top, sw, sh));
}

}  // namespace rivo

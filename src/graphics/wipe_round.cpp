// Clock hand, fan, double fan and circle: pies and discs about the screen
// centre. The shapes are centred on the middle of the screen (W / 2, H / 2
// as reals), so that the pixel centres lie symmetrically around them and a
// radius of hypot(W div 2, H div 2) reaches every corner pixel.

#include <cmath>
#include <cstring>
#include <numbers>

#include "common/numbers.h"
#include "graphics/mask_wipes.h"
#include "graphics/shape_raster.h"

namespace rivo {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

long double CornerRadius(int32_t w, int32_t h) {
  return std::hypot(static_cast<long double>(w / 2), static_cast<long double>(h / 2));
}

TDisc ScreenDisc(int32_t w, int32_t h, double radius) { return {w / 2.0, h / 2.0, radius}; }

}  // namespace

// P0 degrees clockwise from 12 o'clock.
long double TWipeSector::StartAngle() const { return P0() * kPi / 180; }

bool TWipeSector::WriteMask(int64_t) {
  Sector sectors[2];
  const int count = Sectors(sectors);
  const int32_t w = W();
  const TDisc disc = ScreenDisc(w, H(), CornerRadius(w, H()));
  const TPie pies[2] = {
      TPie(disc, static_cast<double>(sectors[0].start), static_cast<double>(sectors[0].sweep)),
      TPie(disc, static_cast<double>(sectors[1].start), static_cast<double>(sectors[1].sweep))};
  for (int32_t y = 0; y < H(); ++y) {
    uint8_t* row = MaskRow(y);
    std::memset(row, 0, static_cast<std::size_t>(w));
    for (int i = 0; i < count; ++i) {
      TSpan spans[2];
      const int n = pies[i].Spans(y, w, spans);
      for (int j = 0; j < n; ++j)
        std::memset(row + spans[j].first, 255,
                    static_cast<std::size_t>(spans[j].last - spans[j].first));
    }
  }
  return true;
}

// From a0 to a0 + 2 pi t / T (reversed: to a0 - 2 pi t / T).
int TWipeClockhand::Sectors(Sector out[2]) const {
  const long double sweep = 2 * kPi * t() / T();
  out[0] = {Reverse() ? StartAngle() - sweep : StartAngle(), sweep};
  return 1;
}

// a0 - pi t / T to a0 + pi t / T.
int TWipeFan::Sectors(Sector out[2]) const {
  const long double half = kPi * t() / T();
  out[0] = {StartAngle() - half, 2 * half};
  return 1;
}

// a0 +- (pi / 2) t / T and the same about the opposite direction.
int TWipeWFan::Sectors(Sector out[2]) const {
  const long double half = kPi / 2 * t() / T();
  out[0] = {StartAngle() - half, 2 * half};
  out[1] = {StartAngle() + kPi - half, 2 * half};
  return 2;
}

// rho = Round(R t / T) (reversed: R (T - t) / T)
int64_t TWipeCircle::Phase() const {
  const long double r = CornerRadius(W(), H());
  return Round(r * (Reverse() ? T() - t() : t()) / T());
}

bool TWipeCircle::WriteMask(int64_t phase) {
  const uint8_t inside = Reverse() ? 0 : 255;
  const TDisc disc = ScreenDisc(W(), H(), static_cast<double>(phase));
  for (int32_t y = 0; y < H(); ++y) {
    uint8_t* row = MaskRow(y);
    std::memset(row, 255 - inside, static_cast<std::size_t>(W()));
    const TSpan span = DiscSpan(disc, y, W());
    if (!span.IsEmpty())
      std::memset(row + span.first, inside, static_cast<std::size_t>(span.last - span.first));
  }
  return true;
}

}  // namespace rivo

#include "graphics/shape_raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace rivo {
namespace {

constexpr long double kTurn = 2 * std::numbers::pi_v<long double>;

int32_t ClampColumn(long double x, int32_t width) {
  if (!(x > 0)) return 0;  // NaN too
  if (x > width) return width;
  return static_cast<int32_t>(x);
}

TSpan Intersect(TSpan a, TSpan b) { return {std::max(a.first, b.first), std::min(a.last, b.last)}; }

// The columns of row y whose centres p satisfy dot(n, p - c) >= 0, where
// n = (cos angle, sin angle): the half-plane on the clockwise side of the
// ray at angle (the ray's direction is (sin angle, -cos angle)).
TSpan ClockwiseSide(const TDisc& d, long double angle, int32_t y, int32_t width) {
  const long double a = std::cos(angle);
  const long double b = std::sin(angle) * (y + 0.5L - d.cy);
  if (std::fabs(a) < 1e-12L) return b >= 0 ? TSpan{0, width} : TSpan{};
  // a * (x + 0.5 - cx) + b >= 0
  const long double edge = d.cx - 0.5L - b / a;
  if (a > 0) return {ClampColumn(std::ceil(edge), width), width};
  return {0, ClampColumn(std::floor(edge) + 1, width)};
}

// The columns whose centres q satisfy dot(n, q - c) <= 0 (the side
// anticlockwise of the ray).
TSpan AnticlockwiseSide(const TDisc& d, long double angle, int32_t y, int32_t width) {
  // -dot(n, q - c) is the same product with the opposite direction.
  return ClockwiseSide(d, angle + kTurn / 2, y, width);
}

}  // namespace

TSpan DiscSpan(const TDisc& disc, int32_t y, int32_t width) {
  if (!(disc.radius > 0)) return {};
  const long double dy = y + 0.5L - disc.cy;
  const long double rest = disc.radius * disc.radius - dy * dy;
  if (rest < 0) return {};
  const long double half = std::sqrt(rest);
  // cx - half <= x + 0.5 <= cx + half
  return {ClampColumn(std::ceil(disc.cx - half - 0.5L), width),
          ClampColumn(std::floor(disc.cx + half - 0.5L) + 1, width)};
}

int PieSpans(const TDisc& disc, long double start, long double sweep, int32_t y, int32_t width,
             TSpan out[2]) {
  const TSpan whole = DiscSpan(disc, y, width);
  if (whole.IsEmpty() || !(sweep > 0)) return 0;
  if (sweep >= kTurn) {
    out[0] = whole;
    return 1;
  }
  const long double end = start + sweep;
  if (sweep <= kTurn / 2) {
    // Clockwise of the start ray and anticlockwise of the end ray.
    out[0] = Intersect(Intersect(whole, ClockwiseSide(disc, start, y, width)),
                       AnticlockwiseSide(disc, end, y, width));
    return out[0].IsEmpty() ? 0 : 1;
  }
  // More than half a turn: the disc without the smaller pie from end to start.
  const TSpan hole = Intersect(ClockwiseSide(disc, end, y, width),
                               AnticlockwiseSide(disc, start + kTurn, y, width));
  int count = 0;
  const TSpan left{whole.first, std::min(whole.last, hole.IsEmpty() ? whole.last : hole.first)};
  const TSpan right{std::max(whole.first, hole.IsEmpty() ? whole.last : hole.last), whole.last};
  if (!left.IsEmpty()) out[count++] = left;
  if (!right.IsEmpty()) out[count++] = right;
  return count;
}

}  // namespace rivo

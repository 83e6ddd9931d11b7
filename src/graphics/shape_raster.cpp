#include "graphics/shape_raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace rivo {
namespace {

constexpr double kTurn = 2 * std::numbers::pi_v<double>;

int32_t ClampColumn(double x, int32_t width) {
  if (!(x > 0)) return 0;  // NaN too
  if (x > width) return width;
  return static_cast<int32_t>(x);
}

TSpan Intersect(TSpan a, TSpan b) { return {std::max(a.first, b.first), std::min(a.last, b.last)}; }

}  // namespace

TSpan DiscSpan(const TDisc& disc, int32_t y, int32_t width) {
  if (!(disc.radius > 0)) return {};
  const double dy = y + 0.5 - disc.cy;
  const double rest = disc.radius * disc.radius - dy * dy;
  if (rest < 0) return {};
  const double half = std::sqrt(rest);
  // cx - half <= x + 0.5 <= cx + half
  return {ClampColumn(std::ceil(disc.cx - half - 0.5), width),
          ClampColumn(std::floor(disc.cx + half - 0.5) + 1, width)};
}

TPie::TPie(const TDisc& disc, double start, double sweep) : disc_(disc), sweep_(sweep) {
  // The end ray's anticlockwise side is the clockwise side of the opposite
  // ray. The hole of a pie beyond half a turn runs clockwise from the end
  // ray to the start ray.
  const double end = start + sweep;
  const auto ray = [](double angle) { return Ray{std::cos(angle), std::sin(angle)}; };
  if (sweep <= kTurn / 2) {
    first_ = ray(start);
    second_ = ray(end + kTurn / 2);
  } else {
    first_ = ray(end);
    second_ = ray(start + kTurn / 2);
  }
}

// The columns of row y whose centres p satisfy dot(n, p - c) >= 0 for the
// ray's normal n: the half-plane on the clockwise side of the ray, whose
// direction is (sin angle, -cos angle) with y growing downwards.
TSpan TPie::ClockwiseSide(const Ray& ray, int32_t y, int32_t width) const {
  const double a = ray.cos;
  const double b = ray.sin * (y + 0.5 - disc_.cy);
  if (std::fabs(a) < 1e-12) return b >= 0 ? TSpan{0, width} : TSpan{};
  // a * (x + 0.5 - cx) + b >= 0. Pixel centres on the ray itself (the
  // diagonals of a square, say) belong to the side whatever the rounding of
  // the angle's cosine and sine, so the edge is widened by a hair.
  constexpr double kHair = 1e-9;
  const double edge = disc_.cx - 0.5 - b / a;
  if (a > 0) return {ClampColumn(std::ceil(edge - kHair), width), width};
  return {0, ClampColumn(std::floor(edge + kHair) + 1, width)};
}

int TPie::Spans(int32_t y, int32_t width, TSpan out[2]) const {
  const TSpan whole = DiscSpan(disc_, y, width);
  if (whole.IsEmpty() || !(sweep_ > 0)) return 0;
  if (sweep_ >= kTurn) {
    out[0] = whole;
    return 1;
  }
  const TSpan sides = Intersect(ClockwiseSide(first_, y, width), ClockwiseSide(second_, y, width));
  if (sweep_ <= kTurn / 2) {
    out[0] = Intersect(whole, sides);
    return out[0].IsEmpty() ? 0 : 1;
  }
  // More than half a turn: the disc without the hole.
  int count = 0;
  const TSpan left{whole.first, std::min(whole.last, sides.IsEmpty() ? whole.last : sides.first)};
  const TSpan right{std::max(whole.first, sides.IsEmpty() ? whole.last : sides.last), whole.last};
  if (!left.IsEmpty()) out[count++] = left;
  if (!right.IsEmpty()) out[count++] = right;
  return count;
}

}  // namespace rivo

#include "graphics/rotation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/numbers.h"

namespace rivo {
namespace {

constexpr int64_t kCoordinateLimit = int64_t{1} << 30;

long double Radians(int32_t angle) {
  return static_cast<long double>(angle) * 2 * std::numbers::pi_v<long double> / 256;
}

int32_t ToCoordinate(long double v) {
  return static_cast<int32_t>(std::clamp(Trunc(v), -kCoordinateLimit, kCoordinateLimit));
}

}  // namespace

TRotationSteps RotationSteps(const TRotation& r) {
  const long double zx = r.zoom_x / 256.0L, zy = r.zoom_y / 256.0L;
  const long double c = std::cos(-Radians(r.angle)), s = std::sin(-Radians(r.angle));
  return {Trunc(c / zx * 65536), Trunc(s / zy * 65536), Trunc(-s / zx * 65536),
          Trunc(c / zy * 65536)};
}

TRect RotatedBoundingBox(int32_t cx, int32_t cy, const TRotation& r, int32_t width,
                         int32_t height) {
  const long double zx = r.zoom_x / 256.0L, zy = r.zoom_y / 256.0L;
  const long double m = zx * r.pivot_x, o = zy * r.pivot_y;
  const long double right = width * zx - m - 1, bottom = height * zy - o - 1;
  const long double c = std::cos(Radians(r.angle)), s = std::sin(Radians(r.angle));
  const long double xs[4] = {-m, right, -m, right}, ys[4] = {-o, -o, bottom, bottom};
  long double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
  for (int i = 0; i < 4; ++i) {
    const long double x = xs[i] * c - ys[i] * s + cx, y = xs[i] * s + ys[i] * c + cy;
    min_x = i == 0 ? x : std::min(min_x, x);
    max_x = i == 0 ? x : std::max(max_x, x);
    min_y = i == 0 ? y : std::min(min_y, y);
    max_y = i == 0 ? y : std::max(max_y, y);
  }
  return {ToCoordinate(min_x), ToCoordinate(min_y), ToCoordinate(max_x + 1),
          ToCoordinate(max_y + 1)};
}

}  // namespace rivo

#include "media/movie_placement.h"

#include <cmath>

namespace rivo {

MovieRect MoviePlacement(const MovieRect& source, const MovieRect& dest, int32_t movie_width, int32_t movie_height) {
  if (source.Width() <= 0 || source.Height() <= 0) return dest;
  const double tx = static_cast<double>(dest.Width()) / source.Width();
  const double ty = static_cast<double>(dest.Height()) / source.Height();
  auto round = [](double v) { return static_cast<int32_t>(std::lround(v)); };
  return {dest.Left - round(source.Left * tx), dest.Top - round(source.Top * ty),
          dest.Right + round((movie_width - source.Right) * tx), dest.Bottom + round((movie_height - source.Bottom) * ty)};
}

}  // namespace rivo

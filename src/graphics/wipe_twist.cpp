// Twists: every row (column) turns over like a card, the turn running along
// the screen. Rows the turn has not reached yet show old.

#include <cmath>
#include <numbers>
#include <vector>

#include "common/numbers.h"
#include "graphics/picture_wipes.h"

namespace rivo {
namespace {

// What one line (row, or column of TwistV) shows.
struct Line {
  const uint32_t* const* rows = nullptr;  // the picture's rows; null: black
  int32_t from = 0, size = 0;             // the picture squeezed into [from, from + size)
  int64_t step = 0;                       // source pixels per pixel, 16.16
};

}  // namespace

// phi = (3 pi / 2) t / T; line i turns at theta = phi - (pi / 2) i / L.
// Turning lines are black, showing old narrowed to a centred width
// Round(across cos theta) while that is positive, then new widening to
// -Round(across cos theta); lines past theta = pi show new. The squeezed
// line samples the picture like StretchDraw (nearest pixel, 16.16 steps).
// The pixels are written directly, row by row: a column of TwistV would
// otherwise be a stretch of its own.
void TWipeTwistH::Draw() {
  constexpr long double kPi = std::numbers::pi_v<long double>;
  const bool vertical = Vertical();
  const int32_t lines = vertical ? W() : H(), across = vertical ? H() : W();
  const long double phi = 1.5L * kPi * t() / T();
  const TPixelSource o = old_.SourcePixels(), n = new_.SourcePixels();
  std::vector<const uint32_t*> old_rows(static_cast<std::size_t>(H())), new_rows(old_rows.size());
  for (int32_t y = 0; y < H(); ++y) {
    old_rows[static_cast<std::size_t>(y)] = o.Row<uint32_t>(y);
    new_rows[static_cast<std::size_t>(y)] = n.Row<uint32_t>(y);
  }
  std::vector<Line> plan(static_cast<std::size_t>(lines));
  for (int32_t i = 0; i < lines; ++i) {
    Line& line = plan[static_cast<std::size_t>(Reverse() ? lines - 1 - i : i)];
    const long double theta = phi - kPi / 2 * i / lines;
    if (theta < 0 || theta >= kPi) {
      line = {theta < 0 ? old_rows.data() : new_rows.data(), 0, across, 65536};
      continue;
    }
    const int32_t width = RoundToInt32(across * std::cos(theta));
    if (width == 0) continue;
    line.rows = width > 0 ? old_rows.data() : new_rows.data();
    line.size = width > 0 ? width : -width;
    line.from = (across - line.size) / 2;
    line.step = Trunc(static_cast<long double>(across) / line.size * 65536);
  }
  TDIBSurface& store = dest_.Store();
  uint8_t* bits = store.MutableBits();
  for (int32_t y = 0; y < H(); ++y) {
    auto* out = reinterpret_cast<uint32_t*>(bits + store.Pitch() * y);
    if (!vertical) {
      const Line& line = plan[static_cast<std::size_t>(y)];
      for (int32_t x = 0; x < W(); ++x) out[x] = 0;
      if (line.rows == nullptr) continue;
      const uint32_t* source = line.rows[y];
      for (int32_t j = 0; j < line.size; ++j)
        out[line.from + j] = source[(int64_t{j} * line.step) >> 16];
      continue;
    }
    for (int32_t x = 0; x < W(); ++x) {
      const Line& line = plan[static_cast<std::size_t>(x)];
      const int32_t j = y - line.from;
      out[x] = line.rows == nullptr || j < 0 || j >= line.size
                   ? 0
                   : line.rows[(int64_t{j} * line.step) >> 16][x];
    }
  }
}

}  // namespace rivo

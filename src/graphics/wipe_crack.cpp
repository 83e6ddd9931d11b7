// Crack: old breaks into tiles that hop up and fall off the screen one
// after the other, showing new behind them.

#include <algorithm>

#include "graphics/picture_wipes.h"
#include "graphics/wipe_random.h"

namespace rivo {
namespace {

// The height a tile has fallen a steps after its start: it rises first,
// then falls ever faster.
int64_t Fallen(int64_t a) { return (5 * a * a - 1500 * a) / 1000; }

}  // namespace

// Tiles of s = max(p0, 16) pixels in random order, tile j starting at
// j * p1 (a negative p1 counts as 0) with a random drift of -100..99.
void TWipeCrack::Prepare() {
  const int32_t side = std::max(P0(), 16);
  interval_ = std::max(P1(), 0);
  tiles_.clear();
  for (int64_t y = 0; y < H(); y += side)
    for (int64_t x = 0; x < W(); x += side)
      tiles_.push_back({TRect{static_cast<int32_t>(x), static_cast<int32_t>(y),
                              static_cast<int32_t>(std::min<int64_t>(W(), x + side)),
                              static_cast<int32_t>(std::min<int64_t>(H(), y + side))}});
  TWipeRandom random(environment_.seed);
  random.Shuffle(tiles_);
  for (std::size_t j = 0; j < tiles_.size(); ++j) {
    tiles_[j].start = static_cast<int64_t>(j) * interval_;
    tiles_[j].drift = random.Below(200) - 100;
  }
  // E: the first step at which a tile has fallen the screen's height.
  fall_ = 0;
  while (Fallen(fall_) < H()) ++fall_;
}

// b = t (E + (count - 1) p1) / T; a tile a = b - start steps after its
// start is at (x0 + a r / 100, y0 + fallen(a)); tiles that have not started
// stay in place, those fallen past the bottom are gone. Earlier tiles are
// drawn last, over the later ones.
void TWipeCrack::Draw() {
  const auto count = static_cast<int64_t>(tiles_.size());
  const int64_t b = t() * (fall_ + (count - 1) * interval_) / T();
  dest_.Assign(new_);
  for (const Tile& tile : tiles_)
    if (b < tile.start)
      dest_.Draw(tile.place.Left, tile.place.Top, false, false, false, tile.place, old_);
  for (auto it = tiles_.rbegin(); it != tiles_.rend(); ++it) {
    const int64_t a = b - it->start;
    // From E steps on a tile is below the screen whatever its row.
    if (a < 0 || a >= fall_) continue;
    const int64_t y = it->place.Top + Fallen(a);
    if (y >= H()) continue;
    const int64_t x = it->place.Left + a * it->drift / 100;
    dest_.Draw(static_cast<int32_t>(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX)),
               static_cast<int32_t>(y), false, false, false, it->place, old_);
  }
}

}  // namespace rivo

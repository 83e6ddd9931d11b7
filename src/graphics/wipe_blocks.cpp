// Block coil and random blocks: square blocks of the screen turning to the
// new picture one after the other.

#include <algorithm>

#include "graphics/mask_wipes.h"
#include "graphics/wipe_random.h"

namespace rivo {

// Sides of 10 pixels at least, and at most the screen's.
std::vector<TRect> TWipeBlocks::BlockGrid(int32_t& columns, int32_t& rows) const {
  const int32_t side = std::min({std::max(10, P0()), W(), H()});
  columns = (W() + side - 1) / side;
  rows = (H() + side - 1) / side;
  std::vector<TRect> blocks;
  blocks.reserve(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t c = 0; c < columns; ++c)
      blocks.push_back(
          {c * side, r * side, std::min(W(), (c + 1) * side), std::min(H(), (r + 1) * side)});
  return blocks;
}

bool TWipeBlocks::Unwinds() const { return Reverse() && UnwindsWhenReversed(); }

void TWipeBlocks::PrepareMask() { blocks_ = ListBlocks(); }

// n = (count - 1) t / T, or the first block of the reversed coil.
int64_t TWipeBlocks::Phase() const {
  const int64_t last = static_cast<int64_t>(blocks_.size()) - 1;
  return last * (Unwinds() ? T() - t() : t()) / T();
}

bool TWipeBlocks::WriteMask(int64_t phase) {
  FillMaskRect({0, 0, W(), MaskRows()}, 0);
  const auto count = static_cast<int64_t>(blocks_.size());
  // Forward: blocks 0..n; reversed: blocks n..count-1 (the coil unwinds
  // from its centre).
  const bool reverse = Unwinds();
  for (int64_t i = reverse ? phase : 0; i < (reverse ? count : std::min(phase + 1, count)); ++i)
    FillMaskRect(blocks_[static_cast<std::size_t>(i)], 255);
  return true;
}

// Clockwise from the top-left corner: along the top edge, down the right,
// back along the bottom and up the left, each time one ring further in.
std::vector<TRect> TWipeBlockCoil::ListBlocks() const {
  int32_t columns = 0, rows = 0;
  const std::vector<TRect> grid = BlockGrid(columns, rows);
  std::vector<TRect> coil;
  coil.reserve(grid.size());
  const auto at = [&](int32_t r, int32_t c) {
    coil.push_back(grid[static_cast<std::size_t>(r) * columns + c]);
  };
  int32_t top = 0, bottom = rows - 1, left = 0, right = columns - 1;
  while (top <= bottom && left <= right) {
    for (int32_t c = left; c <= right; ++c) at(top, c);
    for (int32_t r = top + 1; r <= bottom; ++r) at(r, right);
    if (top < bottom)
      for (int32_t c = right - 1; c >= left; --c) at(bottom, c);
    if (left < right)
      for (int32_t r = bottom - 1; r > top; --r) at(r, left);
    ++top, --bottom, ++left, --right;
  }
  return coil;
}

std::vector<TRect> TWipeBlockRandom::ListBlocks() const {
  int32_t columns = 0, rows = 0;
  std::vector<TRect> blocks = BlockGrid(columns, rows);
  TWipeRandom(environment_.seed).Shuffle(blocks);
  return blocks;
}

}  // namespace rivo

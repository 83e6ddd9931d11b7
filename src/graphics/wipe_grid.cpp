// Grids: squares growing from the centres of P0 x P0 cells, in an order per
// cell, each cell's square taking P1 phase steps.

#include <algorithm>
#include <cmath>

#include "common/numbers.h"
#include "graphics/mask_wipes.h"

namespace rivo {

int32_t TWipeGrid::Columns() const {
  return static_cast<int32_t>((int64_t{W()} + Slat() - 1) / Slat());
}
int32_t TWipeGrid::Rows() const {
  return static_cast<int32_t>((int64_t{H()} + Slat() - 1) / Slat());
}

// Round(hypot(row, column)), from the bottom-right corner when reversed.
int64_t TWipeGrid::Order(int32_t row, int32_t column, int32_t rows, int32_t columns) const {
  if (Reverse())
    return Round(std::hypot(static_cast<long double>(rows - 1 - row), columns - 1 - column));
  return Round(std::hypot(static_cast<long double>(row), column));
}
int64_t TWipeGrid::OrderSpan(int32_t rows, int32_t columns) const {
  return Round(std::hypot(static_cast<long double>(rows - 1), columns - 1));
}

int64_t TWipeGridH::Order(int32_t, int32_t column, int32_t, int32_t columns) const {
  return Reverse() ? columns - 1 - column : column;
}
int64_t TWipeGridH::OrderSpan(int32_t, int32_t columns) const { return columns; }
// Every row of cells is alike: one row of cells is mask enough.
int32_t TWipeGridH::MaskHeight() const { return std::min(Slat(), H()); }

int64_t TWipeGridV::Order(int32_t row, int32_t, int32_t rows, int32_t) const {
  return Reverse() ? rows - 1 - row : row;
}
int64_t TWipeGridV::OrderSpan(int32_t rows, int32_t) const { return rows; }

// e = (p1 + 4 span - 4) t / T
int64_t TWipeGrid::Phase() const {
  return (int64_t{Ramp()} + 4 * OrderSpan(Rows(), Columns()) - 4) * t() / T();
}

bool TWipeGrid::WriteMask(int64_t phase) {
  const int64_t cell = Slat(), ramp = Ramp();
  const int32_t rows = Rows(), columns = Columns();
  FillMaskRect({0, 0, W(), MaskRows()}, 0);
  // Cells below the mask never show (GridH keeps one row of cells).
  const int32_t mask_cell_rows =
      static_cast<int32_t>(std::min<int64_t>(rows, (MaskRows() + cell - 1) / cell));
  for (int32_t row = 0; row < mask_cell_rows; ++row) {
    for (int32_t column = 0; column < columns; ++column) {
      const int64_t step = phase - 4 * Order(row, column, rows, columns);
      if (step < 0) continue;
      const int64_t level = std::min<int64_t>(255, step * 255 / ramp);
      if (level <= 0) continue;
      const int64_t side = std::min(cell, cell * step / ramp);
      const int64_t left = column * cell + (cell - side) / 2;
      const int64_t top = row * cell + (cell - side) / 2;
      const auto clamp = [](int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, 0, INT32_MAX));
      };
      FillMaskRect({clamp(left), clamp(top), clamp(left + side), clamp(top + side)},
                   static_cast<uint8_t>(level));
    }
  }
  return P1() < 2;
}

}  // namespace rivo

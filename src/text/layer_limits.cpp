#include "text/layer_limits.h"

#include <algorithm>
#include <cstring>

namespace rivo {

void ResetLayer(TDIBX& layer, LayerSize size, int32_t bit_count, uint32_t value) {
  layer.SetSizeForOverwrite(size.width, size.height, bit_count);
  if (layer.IsEmpty()) return;
  TDIBSurface& store = layer.Store();
  uint8_t* row = store.MutableBits();
  const std::ptrdiff_t pitch = store.Pitch();
  for (int32_t y = 0; y < store.Height(); ++y, row += pitch) {
    if (bit_count == 8) std::memset(row, static_cast<int>(value & 0xFF), static_cast<std::size_t>(pitch));
    else std::fill_n(reinterpret_cast<uint32_t*>(row), pitch / 4, value);
  }
}

}  // namespace rivo

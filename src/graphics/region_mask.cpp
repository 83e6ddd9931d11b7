#include "graphics/region_mask.h"

#include <algorithm>
#include <vector>

namespace rivo {

void CutMask(const TDIBX* loaded, const TSpanRegion* region, TRegionSide keep, int32_t width, int32_t height,
             TDIBX& out) {
  out.SetSize(width, height, 8);
  if (out.IsEmpty()) return;
  const bool inside = keep == TRegionSide::kInside;
  std::vector<TSpan> spans;
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = out.Store().ScanLine(y);
    const uint8_t* source = loaded ? loaded->Store().ScanLine(y) : nullptr;
    auto copy = [&](int32_t first, int32_t last) {
      if (source)
        std::copy(source + first, source + last, row + first);
      else
        std::fill(row + first, row + last, uint8_t{0xFF});
    };
    // The region's runs, cut to the row; the side kept gets the mask.
    spans.clear();
    if (region) region->RowSpans(y, spans);
    int32_t x = 0;
    for (const TSpan& s : spans) {
      const int32_t first = std::clamp(s.first, x, width), last = std::clamp(s.last, first, width);
      if (inside) {
        std::fill(row + x, row + first, uint8_t{0});
        copy(first, last);
      } else {
        copy(x, first);
        std::fill(row + first, row + last, uint8_t{0});
      }
      x = last;
    }
    if (inside)
      std::fill(row + x, row + width, uint8_t{0});
    else
      copy(x, width);
  }
}

}  // namespace rivo

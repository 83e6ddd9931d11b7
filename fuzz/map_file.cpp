// Map files from arbitrary bytes: reading never throws, every area's rows
// agree with its hit test and stay inside its bounds, and a picture's mask
// cut by each area keeps exactly the pixels on the kept side.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "graphics/region_mask.h"
#include "objects/map_file.h"

namespace {

// A 23 x 17 mask whose values tell the pixels apart (never 0).
const rivo::TDIBX& Loaded() {
  static const rivo::TDIBX* mask = [] {
    auto* m = new rivo::TDIBX;
    m->SetSize(23, 17, 8);
    for (int32_t y = 0; y < 17; ++y)
      for (int32_t x = 0; x < 23; ++x) m->SetPixel(x, y, static_cast<uint32_t>(1 + (x * 7 + y * 13) % 254));
    return m;
  }();
  return *mask;
}

void CheckCuts(const rivo::TSpanRegion& region) {
  const rivo::TDIBX& loaded = Loaded();
  rivo::TDIBX out;
  for (rivo::TRegionSide side : {rivo::TRegionSide::kInside, rivo::TRegionSide::kOutside}) {
    rivo::CutMask(&loaded, &region, side, loaded.Width(), loaded.Height(), out);
    for (int32_t y = 0; y < loaded.Height(); ++y)
      for (int32_t x = 0; x < loaded.Width(); ++x) {
        const bool kept = region.Contains(x, y) == (side == rivo::TRegionSide::kInside);
        if (out.GetPixel(x, y) != (kept ? loaded.GetPixel(x, y) : 0u)) __builtin_trap();
      }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const rivo::TMapFile map = rivo::ReadMapFile(std::string_view(reinterpret_cast<const char*>(data), size));
  std::vector<rivo::TSpan> spans;
  for (const rivo::TMapArea& area : map.Areas) {
    CheckCuts(area.Region);
    const rivo::TRect bounds = area.Region.Bounds();
    if (!area.Region.IsEmpty() && bounds.IsEmpty()) __builtin_trap();
    // A window of at most 16 x 16 pixels at the region's top-left corner,
    // as a map image looks at the rows its picture covers.
    const int32_t bottom = bounds.Top + std::min(bounds.Height(), 16);
    const int32_t right = bounds.Left + std::min(bounds.Width(), 16);
    for (int32_t y = bounds.Top - 1; y <= bottom && y >= bounds.Top - 1; ++y) {
      area.Region.RowSpans(y, spans);
      for (std::size_t i = 0; i < spans.size(); ++i) {
        const rivo::TSpan& s = spans[i];
        if (s.first >= s.last || (i > 0 && spans[i - 1].last >= s.first)) __builtin_trap();
        if (s.first < bounds.Left || s.last > bounds.Right || y < bounds.Top || y >= bounds.Bottom) __builtin_trap();
      }
      for (int32_t x = bounds.Left; x < right; ++x) {
        bool in = false;
        for (const rivo::TSpan& s : spans) in |= x >= s.first && x < s.last;
        if (in != area.Region.Contains(x, y)) __builtin_trap();
      }
    }
  }
  return 0;
}

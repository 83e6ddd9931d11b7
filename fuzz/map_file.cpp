// Map files from arbitrary bytes: reading never throws, and every area's
// rows agree with its hit test and stay inside its bounds.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "objects/map_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const rivo::TMapFile map = rivo::ReadMapFile(std::string_view(reinterpret_cast<const char*>(data), size));
  std::vector<rivo::TSpan> spans;
  for (const rivo::TMapArea& area : map.Areas) {
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

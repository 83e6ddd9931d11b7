#include "text/glyph_image.h"

#include <algorithm>
#include <span>

#include "text/coverage_tables.h"

namespace rivo {

GlyphImage PlaceGlyph(RasterFont& font, uint16_t code, int32_t level, const RasterGlyph& raw) {
  GlyphImage image;
  image.abc = raw.abc;
  if (raw.width <= 0 || raw.height <= 0 ||
      raw.levels.size() < static_cast<std::size_t>(raw.width) * raw.height) {
    image.advance_rest = font.TextWidth(code);
    return image;
  }
  image.pixels.SetSize(raw.width, raw.height, 8);
  const std::span<const uint8_t> table = CoverageTable(level);
  const uint8_t top = static_cast<uint8_t>(table.size() - 1);
  for (int32_t y = 0; y < raw.height; ++y) {
    uint8_t* row = image.pixels.ScanLine(y);
    const uint8_t* src = raw.levels.data() + static_cast<std::size_t>(y) * raw.width;
    for (int32_t x = 0; x < raw.width; ++x) row[x] = table[std::min(src[x], top)];
  }
  image.left = std::max(0, raw.origin_x);
  image.top = static_cast<int32_t>(std::max<int64_t>(0, int64_t{font.Metrics().ascent} - raw.origin_y));
  const int64_t rest = int64_t{raw.advance} - raw.width - image.left;
  image.advance_rest = rest > 0 ? static_cast<int32_t>(rest) : 0;
  return image;
}

}  // namespace rivo

#include "objects/map_file.h"

#include "common/byte_reader.h"
#include "common/error.h"

namespace rivo {
namespace {

// The smallest area: an empty name, the shape byte and a point count.
constexpr std::size_t kSmallestArea = 4 + 1 + 4;
constexpr std::size_t kPointBytes = 8;

TMapArea ReadArea(ByteReader& in) {
  TMapArea area;
  area.Name = in.String();
  const uint8_t shape = in.U8();
  if (shape == kMapRectangle || shape == kMapEllipse) {
    const int32_t left = in.I32(), top = in.I32(), right = in.I32(), bottom = in.I32();
    area.Region = shape == kMapRectangle ? TSpanRegion::Rectangle(left, top, right, bottom)
                                        : TSpanRegion::Ellipse(left, top, right, bottom);
    return area;
  }
  std::vector<TRegionPoint> points(in.Count(in.I32(), kPointBytes));
  for (TRegionPoint& p : points) {
    p.x = in.I32();
    p.y = in.I32();
  }
  area.Region = TSpanRegion::Polygon(points);
  return area;
}

}  // namespace

TMapFile ReadMapFile(std::string_view bytes) {
  TMapFile map;
  ByteReader in(bytes, "map");
  try {
    const int32_t count = in.I32();
    // A count beyond what the bytes can hold is read as far as they go.
    const std::size_t possible = in.Remaining() / kSmallestArea;
    if (count < 0 || static_cast<std::size_t>(count) > possible) map.Complete = false;
    const std::size_t wanted = count < 0 ? 0 : static_cast<std::size_t>(count);
    map.Areas.reserve(std::min(wanted, possible));
    for (std::size_t i = 0; i < wanted; ++i) map.Areas.push_back(ReadArea(in));
  } catch (const LoadError&) {
    map.Complete = false;
  }
  return map;
}

}  // namespace rivo

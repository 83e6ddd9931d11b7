#pragma once
// The map file of a map image (PR_MAPSOURCE): its clickable areas, each a
// name and a region in the control's own coordinates, in file order (the
// first area that holds a point wins).
//
//   count        int32
//   per area:    name     int32 length + bytes
//                shape    byte: 0 rectangle, 1 ellipse, anything else polygon
//                rectangle or ellipse: left, top, right, bottom (int32, inclusive)
//                polygon: n (int32), then n points (int32 x, int32 y)
//
// A map file comes from the game and may be damaged: every count is
// checked against the bytes that remain, and a file that ends early keeps
// the areas read before the damage. Reading never throws.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/span_region.h"

namespace rivo {

struct TMapArea {
  std::string Name;
  TSpanRegion Region;
};

enum : uint8_t { kMapRectangle = 0, kMapEllipse = 1 };

struct TMapFile {
  std::vector<TMapArea> Areas;
  // False when the file ended or broke before its last area.
  bool Complete = true;
};

TMapFile ReadMapFile(std::string_view bytes);

}  // namespace rivo

#pragma once
// Cutting a picture's mask by a region: the pixels on one side of the
// region keep the mask's values, the others become transparent. A map
// image shows its source picture outside the current area and its hover
// picture inside it this way. The cut goes into a surface of its own, so
// a cached frame's mask is only read.

#include <cstdint>

#include "graphics/dibx.h"
#include "graphics/span_region.h"

namespace rivo {

enum class TRegionSide : uint8_t { kInside, kOutside };

// Writes into out (made 8-bit, width x height) the mask loaded (all opaque
// when nullptr; else an 8-bit mask of at least that size) on the kept side
// of region and 0 on the other. No region: nothing is inside it.
void CutMask(const TDIBX* loaded, const TSpanRegion* region, TRegionSide keep, int32_t width, int32_t height,
             TDIBX& out);

}  // namespace rivo

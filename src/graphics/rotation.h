#pragma once
// The geometry of rotated and zoomed drawing: the inverse steps that walk
// the source in 16.16 fixed point, and the bounding box of the rotated
// picture (also the screen rectangle of rotated objects).

#include <cstdint>

#include "graphics/rect.h"

namespace rivo {

// Rotation about a pivot of the source rectangle (relative to its top-left
// corner); angle in 1/256 of a turn, zoom in 1/256 (256 = natural size).
struct TRotation {
  int32_t angle = 0;
  int32_t pivot_x = 0, pivot_y = 0;
  int32_t zoom_x = 256, zoom_y = 256;
};

// Source units (16.16) per destination pixel along a destination row and
// down a destination column.
struct TRotationSteps {
  int64_t row_x = 0, row_y = 0;
  int64_t column_x = 0, column_y = 0;
};

// Zooms must be positive.
TRotationSteps RotationSteps(const TRotation& rotation);

// The box of a width x height source rotated about its pivot placed at
// (cx, cy): the rotated corners' minimum to maximum + 1, truncated.
TRect RotatedBoundingBox(int32_t cx, int32_t cy, const TRotation& rotation, int32_t width,
                         int32_t height);

}  // namespace rivo

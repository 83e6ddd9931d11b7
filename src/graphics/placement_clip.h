#pragma once
// Clipping a placement: source rectangle S drawn with its top-left corner at
// (x, y), optionally mirrored. Destination column x + j shows source column
// S.Left + j (S.Right - 1 - j when flipped); rows alike. The part drawn is
// the one whose destination lies in the clip rectangle and whose source lies
// in the source bounds, so a rectangle reaching outside its source never
// reads outside it; for rectangles inside the source this is the plain
// destination clip.

#include <cstdint>

#include "graphics/rect.h"

namespace rivo {

struct TPlacement {
  TRect dest;    // same size as source
  TRect source;  // the part of S that is drawn
  // Source row of destination row dest.Top + i, column of dest.Left + j.
  int32_t SourceRow(int32_t i, bool flip_v) const {
    return flip_v ? source.Bottom - 1 - i : source.Top + i;
  }
  int32_t SourceColumn(int32_t j, bool flip_h) const {
    return flip_h ? source.Right - 1 - j : source.Left + j;
  }
};

// False when nothing is left to draw.
bool ClipPlacement(int32_t x, int32_t y, const TRect& source_rect, bool flip_v, bool flip_h,
                   const TRect& source_bounds, const TRect& clip, TPlacement& out);

}  // namespace rivo

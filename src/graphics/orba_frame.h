#pragma once
// TOrbaFrame: one frame (animation cell) of a layered image, flattened: its
// pixels with an optional mask companion, a transparent value and colour, a
// delay and two rectangle lists. What the file said of the layers it was
// flattened from stays as a description, for the tools.

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/dib_surface.h"
#include "graphics/rect.h"

namespace rivo {

struct TOrbaLayerInfo {
  std::string name;
  bool visible = true;
  int32_t transparent_value = -1;
  int32_t opacity = 255;
  bool mask_enabled = false;
  bool has_mask = false;
};

class TOrbaFrame {
 public:
  std::string name;
  // Raw pixel value (palette index or packed pixel); -1 none.
  int32_t transparent_value = -1;
  // 0x00BBGGRR of the transparent value; -1 none.
  int64_t transparent_color = -1;
  int32_t delay = 100;
  TDIBSurface surface;
  std::vector<TRect> first_rects, second_rects;
  std::vector<TOrbaLayerInfo> layers;

  bool HasMask() const { return surface.HasMask(); }
  // A mask 0 where the pixel equals the transparent value, 255 elsewhere
  // (all 255 without one); replaces a mask the frame had.
  void MakeMask();
  // Sets the transparent value and computes its colour from the picture's
  // format: palette entry, or the packed channels widened to 8 bits.
  void SetTransparentValue(int32_t value);
};

}  // namespace rivo

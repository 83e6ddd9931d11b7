#pragma once
// A mouse pointer picture: straight (not premultiplied) ARGB pixels, rows
// top-down, and the hot spot, the pixel that points.

#include <cstdint>
#include <vector>

namespace rivo {

struct CursorImage {
  int32_t width = 0;
  int32_t height = 0;
  int32_t hot_x = 0;
  int32_t hot_y = 0;
  std::vector<uint32_t> argb;  // width * height; alpha 0 is transparent
};

}  // namespace rivo

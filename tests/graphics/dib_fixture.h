#pragma once
// Small pixel stores for the TDIB and TDIBSurface tests, their pixels given
// as a list.

#include <cstdint>
#include <initializer_list>

namespace rivo::testing {

// A Picture (TDIB or TDIBSurface) of the given size and bit count whose
// pixel (x, y) is values[y * width + x]; pixels past the list stay 0.
template <class Picture>
Picture PictureOf(int32_t width, int32_t height, int32_t bit_count,
                  std::initializer_list<uint32_t> values) {
  Picture picture;
  picture.SetSize(width, height, bit_count);
  int32_t i = 0;
  for (uint32_t value : values) {
    picture.WritePixel(i % width, i / width, value);
    ++i;
  }
  return picture;
}

}  // namespace rivo::testing

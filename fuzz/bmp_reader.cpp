// Bitmap files from arbitrary bytes: damage is refused with a LoadError and
// never reads or writes outside a buffer; whatever is read writes back to a
// file that reads as the same picture, and converts to 32 bits and to PNG.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/error.h"
#include "graphics/bmp_codec.h"
#include "graphics/dib_surface.h"
#include "graphics/png_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  TDIBSurface picture;
  try {
    picture.LoadFromStream(std::string_view(reinterpret_cast<const char*>(data), size), "f.bmp");
  } catch (const LoadError&) {
    return 0;
  }
  if (picture.IsEmpty() || int64_t{picture.Width()} * picture.Height() > (1 << 20)) return 0;
  const TDIB again = ReadBitmapFile(WriteBitmapFile(picture), "again.bmp");
  for (int32_t y = 0; y < picture.Height(); ++y)
    for (int32_t x = 0; x < picture.Width(); ++x)
      if (again.ReadPixel(x, y) != picture.ReadPixel(x, y)) __builtin_trap();
  if (int64_t{picture.Width()} * picture.Height() <= 4096) {
    picture.SetBitCount(32);
    picture.TakeFourthByteAsMask();
    ReadPng(WritePng(picture), "again.png");
  }
  return 0;
}

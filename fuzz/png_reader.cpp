// PNG files from arbitrary bytes: libpng's errors become a LoadError, never
// a crash or a read outside the input; what decodes writes and reads again.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/error.h"
#include "graphics/png_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  try {
    const TPngPicture p = ReadPng(std::string_view(reinterpret_cast<const char*>(data), size), "f.png");
    const TPngPicture again = ReadPng(WritePng(p.surface), "again.png");
    if (again.surface.Width() != p.surface.Width() || again.surface.Height() != p.surface.Height())
      __builtin_trap();
  } catch (const LoadError&) {
  }
  return 0;
}

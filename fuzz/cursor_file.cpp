// Pointer files (.cur, .ico, .ani) from arbitrary bytes: the reader must
// refuse damage with a LoadError, never crash, hang or allocate without
// bound, and what it accepts must be a whole picture with its hot spot on it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/error.h"
#include "graphics/cursor_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  try {
    CursorImage image = ReadCursorFile(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.cur");
    if (image.width <= 0 || image.height <= 0 || image.width > kMaxCursorSide || image.height > kMaxCursorSide ||
        image.argb.size() != static_cast<size_t>(image.width) * image.height || image.hot_x < 0 ||
        image.hot_y < 0 || image.hot_x >= image.width || image.hot_y >= image.height)
      std::abort();
  } catch (const RivoError&) {
  }
  return 0;
}

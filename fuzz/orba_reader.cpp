// Layered images from arbitrary bytes, all frames and first frame only:
// damage is a LoadError, never a crash, a read outside the input or an
// allocation beyond the caps; what was read writes and reads back.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/error.h"
#include "graphics/orba_frame_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The seeds are scrambled with key 7.
  constexpr int32_t kKey = 7;
  for (bool first_only : {true, false}) {
    TOrbaFrameList list(kKey);
    try {
      list.LoadFromStream(bytes, "f.orb", first_only);
    } catch (const LoadError&) {
    }
    if (first_only) {
      if (list.Count() > 1) __builtin_trap();
      continue;
    }
    if (list.Count() == 0) continue;
    TOrbaFrameList back(kKey);
    back.LoadFromStream(list.SaveToStream(ORBA_RAW), "again.orb");
    if (back.Count() != list.Count()) __builtin_trap();
  }
  return 0;
}

// The image cache's ways in from arbitrary bytes: the direct surface loader
// ("BM", "PNG", "Orba"), a picture of any kind read into frames (the PNG and
// bitmap paths included), and each frame converted to a drawable surface
// and mask as the cache does it.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/error.h"
#include "graphics/frame_surface.h"
#include "graphics/orba_frame_list.h"
#include "graphics/surface_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    TDIBX surface;
    LoadSurfaceFromStream(surface, bytes, 7, "f");
  } catch (const LoadError&) {
  }
  TOrbaFrameList list(7);
  try {
    list.LoadPicture(bytes, "f");
  } catch (const LoadError&) {
  }
  list.MakeMasks();
  for (int32_t i = 0; i < list.Count(); ++i) {
    TDIBX surface, mask;
    CopyFrameToSurface(list.Frames(i), surface);
    CopyMaskToSurface(list.Frames(i), mask);
    if (surface.Width() != list.Frames(i).surface.Width()) __builtin_trap();
  }
  return 0;
}

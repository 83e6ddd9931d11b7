#include "graphics/surface_loader.h"

#include "graphics/bmp_codec.h"
#include "graphics/orba_frame_list.h"
#include "graphics/png_codec.h"

namespace rivo {

void LoadSurfaceFromStream(TDIBX& surface, std::string_view bytes, int32_t identification_code,
                           const std::string& name) {
  if (bytes.substr(0, 2) == "BM") {
    surface.LoadFromBitmap(bytes, name);
  } else if (bytes.size() >= 4 && bytes.substr(1, 3) == "PNG") {
    const TPngPicture png = ReadPng(bytes, name);
    if (!png.surface.IsEmpty()) surface.CopyFromPicture(png.surface);
  } else if (bytes.substr(0, 4) == "Orba") {
    TOrbaFrameList list(identification_code);
    list.LoadFromStream(bytes, name, true);
    if (list.Count() > 0 && !list.Frames(0).surface.IsEmpty()) surface.CopyFromPicture(list.Frames(0).surface);
  }
}

}  // namespace rivo

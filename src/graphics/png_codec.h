#pragma once
// PNG pictures through libpng's classic interface (no gamma correction,
// truncated files are errors). Palette pictures keep their palette, grey
// pictures become 8-bit pictures with a grey palette, colour pictures 24
// bits; an alpha channel (or a palette with partial transparency) becomes
// the mask companion, a single transparent colour the transparent value.

#include <string>
#include <string_view>

#include "graphics/dib_surface.h"

namespace rivo {

struct TPngPicture {
  TDIBSurface surface;
  // Raw pixel value of the transparent colour (palette index or packed
  // 24-bit value); -1 none.
  int64_t transparent_value = -1;
};

// Raises LoadError naming name for anything libpng cannot decode.
TPngPicture ReadPng(std::string_view bytes, const std::string& name);

// 8-bit palette PNG for palette pictures without mask, else 8-bit RGB, or
// RGBA with the mask companion as alpha.
std::string WritePng(const TDIBSurface& picture);

bool LooksLikePng(std::string_view bytes);

}  // namespace rivo

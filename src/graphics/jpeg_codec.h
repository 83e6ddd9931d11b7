#pragma once
// JPEG pictures through libjpeg-turbo: the colour planes of layered images
// (compression 2). Pictures decode to 24 bits (bytes B, G, R); grey files
// become grey colour, CMYK and YCCK files are converted here (libjpeg-turbo
// has no CMYK to BGR conversion of its own).

#include <string>
#include <string_view>

#include "graphics/dib.h"

namespace rivo {

// Raises LoadError naming name for anything libjpeg cannot decode, and for
// pictures beyond the store's size limits.
TDIB ReadJpeg(std::string_view bytes, const std::string& name);

// picture must be a 24-bit store; quality 1..100 (clamped).
std::string WriteJpeg(const TDIB& picture, int quality);

}  // namespace rivo

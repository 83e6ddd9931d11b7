#pragma once
// The direct loader: one picture straight into a surface, recognised by its
// first bytes: "BM" a bitmap, "PNG" at byte 1 a PNG, "Orba" the first frame
// of a layered image (scrambled ones with the given identification code).
// The surface takes the picture's size and keeps its own bit count; masks
// and transparent colours are not kept. Anything else, or nothing, leaves
// the surface as it was; damaged pictures raise LoadError naming name.

#include <cstdint>
#include <string>
#include <string_view>

#include "graphics/dibx.h"

namespace rivo {

void LoadSurfaceFromStream(TDIBX& surface, std::string_view bytes, int32_t identification_code,
                           const std::string& name);

}  // namespace rivo

#pragma once
// Windows bitmap files (".bmp", ".dib"): the 14-byte file header, the 12-byte
// OS/2 or the Windows information header (40 bytes, or the 52-, 56-, 108- and
// 124-byte forms today's editors write), the colour table and the rows,
// uncompressed, as bit fields or run-length encoded (RLE8, RLE4).

#include <string>
#include <string_view>

#include "graphics/dib.h"

namespace rivo {

// Any malformed, truncated or oversized file raises LoadError "不正な DIB です"
// naming name. Bit-field pictures whose masks are not one of the store's
// layouts come back as 32-bit 8-8-8 pictures.
TDIB ReadBitmapFile(std::string_view bytes, const std::string& name);

// A 40-byte header file (bit fields for 16 and 32 bits), rows bottom-up.
// Empty pictures give an empty string.
std::string WriteBitmapFile(const TDIB& picture);

}  // namespace rivo

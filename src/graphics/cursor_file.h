#pragma once
// Mouse pointer files: ".cur" (and ".ico") with one or more pictures, each a
// bitmap with its AND mask or a PNG, and animated ".ani" files, of which the
// first frame shown is taken. The player shows a still pointer.

#include <string>
#include <string_view>

#include "platform/cursor_image.h"

namespace rivo {

// Pictures larger than this on either side are refused (pointers are 32 to
// 256 pixels; a larger claim is damage).
constexpr int32_t kMaxCursorSide = 256;

// Raises LoadError naming name when the bytes are no pointer file this
// reader knows, or are damaged.
CursorImage ReadCursorFile(std::string_view bytes, const std::string& name);

}  // namespace rivo

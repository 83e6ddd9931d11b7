#pragma once
// Whether a file is a layered image (".orb") that holds its pixels without
// compression of its own: only such images gain from the archive's zlib, so
// the archive writer compresses them and stores every other ".orb" as is.

#include <string_view>

namespace rivo {

// head: the file's first bytes (at least the first 34 to answer true).
// True for an "Orba" signature of version 103 or later whose header says
// compression 1 (none).
bool IsUncompressedOrbaFile(std::string_view head);

}  // namespace rivo

#pragma once
// Finding a resource in a Windows executable (a PE image) by reading its
// resource directory from the file. A Windows game's .exe carries its archive
// as a resource; reading the directory ourselves lets such a file be played
// directly, without loading it as a module.

#include <cstdint>
#include <optional>
#include <string_view>

#include "content/big_stream.h"

namespace rivo {

struct PeResourceLocation {
  int64_t offset = 0;  // of the resource's first byte in the file
  int64_t size = 0;
};

// True when the stream holds the headers of a PE image.
bool IsPeImage(TQnBigStream& file);

// The resource of that type and name (compared ignoring case, "#123" for a
// numbered one), in its first language; nullopt when the file is not a PE
// image, has no such resource, or its tables point outside the file.
std::optional<PeResourceLocation> FindPeResource(TQnBigStream& file, std::string_view type,
                                                 std::string_view name);

}  // namespace rivo

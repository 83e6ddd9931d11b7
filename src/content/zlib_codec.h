#pragma once
// zlib for archive entries: CRC-32, compression at level 1 (the archive's
// choice of speed over size) and bounded inflating.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "content/memory_stream.h"

namespace rivo {

// The largest content an archive entry may inflate to. Compressed entries
// are under 5 MiB when our writer makes them, bar uncompressed layered
// images; anything near this limit is a damaged or hostile archive.
constexpr int64_t kMaxInflatedSize = int64_t{512} << 20;

uint32_t Crc32(std::string_view bytes, uint32_t crc = 0);
std::string CompressFast(std::string_view bytes);

// Inflates a whole zlib stream into dest (appended at dest's position).
// Throws LoadError naming `name` when the stream is damaged or truncated,
// inflates beyond `limit`, or differs in length from `expected_size` when
// that is known. Bytes after the stream's end are ignored, as they always were.
void InflateInto(TQnMemoryStream& dest, std::string_view compressed, std::string_view name_cp932,
                 int64_t limit = kMaxInflatedSize, std::optional<int64_t> expected_size = std::nullopt);

}  // namespace rivo

#pragma once
// zlib streams of archive entries: CRC-32, compression at level 1 (the
// archive's choice of speed over size) and bounded inflating (libdeflate;
// zlib's streaming inflater tells what a content of an unexpected size holds).

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

// True when bytes begin with a zlib header (RFC 1950): deflate method, a
// window of at most 32 KiB, and the header check that makes the first two
// bytes a multiple of 31.
bool IsZlibHeader(std::string_view bytes);

// For bytes that may or may not be a zlib stream: inflates them into dest
// (appended at its position) and returns true when they begin with a zlib
// header and inflate completely; otherwise returns false with dest cut back
// to its position. Inflating beyond
// `limit` still throws LoadError: that is a hostile entry, not a raw one.
bool InflateIfZlib(TQnMemoryStream& dest, std::string_view bytes, std::string_view name_cp932,
                   int64_t limit = kMaxInflatedSize);

}  // namespace rivo

#pragma once
// The small routines that save data and project files use everywhere:
// int32-length strings, int32 and byte values, and copying between streams.

#include <cstdint>
#include <string>
#include <string_view>

#include "content/stream.h"

namespace rivo {

// int32 length, then the bytes (nothing more for an empty string).
void WriteString(TStream& stream, std::string_view s);
// The reverse; a negative length or one beyond the stream's end is refused
// with a RivoError before anything is allocated.
std::string ReadString(TStream& stream);
void WriteInt32(TStream& stream, int32_t value);
int32_t ReadInt32(TStream& stream);
void WriteByte(TStream& stream, uint8_t value);
uint8_t ReadByte(TStream& stream);

// Copies count bytes from source's position into dest; a count of 0 copies
// the whole source from its position 0. Stops early when the source runs
// dry; returns the bytes copied.
int64_t CopyStream(TStream& dest, TStream& source, int64_t count);

}  // namespace rivo

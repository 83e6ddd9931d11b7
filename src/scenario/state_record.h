#pragma once
// The run-time state records of commands that wait: they begin with the
// seven bytes "rivo" + three decimal digits (the record's version, here
// 100). Records written before the tag existed start with their first
// field; they read as version 0.

#include <cstdint>

namespace rivo {

class ByteReader;
class ByteWriter;

constexpr int32_t kStateRecordVersion = 100;

void WriteStateTag(ByteWriter& out);
// Reads the tag and returns its version; without a tag the position is
// left where it was and the version is 0.
int32_t ReadStateTag(ByteReader& in);

}  // namespace rivo

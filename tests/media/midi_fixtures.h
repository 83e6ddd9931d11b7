#pragma once
// Standard MIDI Files written at test time: a header, track chunks of
// (delta, bytes) events, and any chunk at all for damaged files.

#include <cstdint>
#include <string>
#include <vector>

namespace rivo::testing {

struct MidiEventBytes {
  uint32_t delta;
  std::string bytes;  // as stored: status (or not, for running status) and data
};

std::string Vlq(uint32_t value);
std::string BigEndian32(uint32_t value);
// "MThd", the length, format, track count and division, then extra header bytes.
std::string MidiHeader(int format, int tracks, int division, const std::string& extra = "");
std::string Chunk(const std::string& id, const std::string& body);
std::string MidiTrack(const std::vector<MidiEventBytes>& events);
// Bytes from a list of values, for readable event tables.
std::string B(std::initializer_list<int> values);
// An end of track meta event.
inline MidiEventBytes EndOfTrack(uint32_t delta = 0) { return {delta, B({0xFF, 0x2F, 0x00})}; }

}  // namespace rivo::testing

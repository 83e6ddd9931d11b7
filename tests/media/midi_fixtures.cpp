#include "media/midi_fixtures.h"

namespace rivo::testing {

std::string Vlq(uint32_t value) {
  std::string out(1, static_cast<char>(value & 0x7F));
  while (value >>= 7) out.insert(out.begin(), static_cast<char>(0x80 | (value & 0x7F)));
  return out;
}

std::string BigEndian32(uint32_t value) {
  return B({static_cast<int>(value >> 24), static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
            static_cast<int>(value & 0xFF)});
}

std::string MidiHeader(int format, int tracks, int division, const std::string& extra) {
  return Chunk("MThd", B({format >> 8, format & 0xFF, tracks >> 8, tracks & 0xFF, division >> 8, division & 0xFF}) +
                           extra);
}

std::string Chunk(const std::string& id, const std::string& body) {
  return id + BigEndian32(static_cast<uint32_t>(body.size())) + body;
}

std::string MidiTrack(const std::vector<MidiEventBytes>& events) {
  std::string body;
  for (const MidiEventBytes& e : events) body += Vlq(e.delta) + e.bytes;
  return Chunk("MTrk", body);
}

std::string B(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

}  // namespace rivo::testing

#include "media/midi_v.h"

#include <algorithm>
#include <cstring>

#include "common/byte_reader.h"
#include "common/numbers.h"

namespace rivo {
namespace {

constexpr int32_t kDefaultTempo = 500000;  // µs per quarter note

uint32_t BigEndian(ByteReader& in, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = (value << 8) | in.U8();
  return value;
}

// Variable-length quantity: seven bits a byte, the high bit set on all but
// the last. Longer runs than the standard's four bytes simply wrap.
uint32_t VariableLength(ByteReader& in) {
  uint32_t value = 0;
  uint8_t b;
  do {
    b = in.U8();
    value = (value << 7) | (b & 0x7F);
  } while (b & 0x80);
  return value;
}

int DataBytesOfChannelStatus(uint8_t status) {
  switch (status & 0xF0) {
    case 0xC0:
    case 0xD0:
      return 1;
    default:
      return 2;
  }
}

}  // namespace

TMidiEventClass ClassOfMidiData(const std::string& data) {
  static constexpr uint8_t kGsReset[] = {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7};
  if (data.empty()) return MC_OTHER;
  auto at = [&](std::size_t i) { return i < data.size() ? static_cast<uint8_t>(data[i]) : 0; };
  uint8_t status = at(0);
  switch (status & 0xF0) {
    case 0x80:
      return MC_NOTE_OFF;
    case 0x90:
      return at(2) > 0 ? MC_NOTE_ON : MC_NOTE_OFF;
    case 0xB0:
      return MC_CONTROL;
    default:
      break;
  }
  if (status == 0xF0 && data.size() == sizeof kGsReset && std::memcmp(data.data(), kGsReset, sizeof kGsReset) == 0)
    return MC_GS_RESET;
  if (status == 0xFF && at(1) == 0x51) return MC_TEMPO;
  if (status == 0xFF && at(1) == 0x2F) return MC_END_OF_TRACK;
  return MC_OTHER;
}

void TMidiV::Load(std::span<const uint8_t> bytes) {
  *this = TMidiV();
  ByteReader in(bytes, "");
  try {
    if (in.Remaining() < 14 || std::memcmp(bytes.data(), "MThd", 4) != 0) return;
    in.Skip(4);
    uint32_t header_length = BigEndian(in, 4);
    Format = static_cast<int32_t>(BigEndian(in, 2));
    TrackCount = static_cast<int32_t>(BigEndian(in, 2));
    // The 16-bit value is always taken as ticks per quarter note, SMPTE
    // divisions included; only 0 would leave time undefined.
    Division = static_cast<int32_t>(BigEndian(in, 2));
    if (Division == 0) return;
    // A header may be longer than its six bytes: the tracks follow it.
    if (header_length > 6) {
      if (header_length - 6 > in.Remaining()) return;
      in.Skip(header_length - 6);
    }
    while (TracksRead < TrackCount && in.Remaining() >= 8) {
      bool is_track = std::memcmp(bytes.data() + in.Position(), "MTrk", 4) == 0;
      in.Skip(4);
      std::size_t length = std::min<std::size_t>(BigEndian(in, 4), in.Remaining());
      std::span<const uint8_t> chunk = bytes.subspan(in.Position(), length);
      in.Skip(length);
      // Chunks of other kinds (vendors add their own) are passed over
      // without taking a track's place.
      if (!is_track) continue;
      ReadTrack(chunk, TracksRead++);
    }
  } catch (const LoadError&) {
    // Only the header can run out here; the tracks guard themselves.
  }
  std::stable_sort(Events.begin(), Events.end(),
                   [](const TMidiMsgEvent& a, const TMidiMsgEvent& b) { return a.Tick < b.Tick; });
  Time();
}

void TMidiV::ReadTrack(std::span<const uint8_t> chunk, int32_t track) {
  ByteReader in(chunk, "");
  int32_t tick = 0;
  uint8_t status = 0;
  try {
    while (!in.AtEnd()) {
      TMidiMsgEvent e;
      e.Delta = static_cast<int32_t>(VariableLength(in));
      tick = WrapAdd(tick, e.Delta);
      uint8_t first = in.U8();
      if (first >= 0x80) {
        status = first;
      } else {
        // Running status repeats only a channel status; a data byte at the
        // track's start or after a meta or system-exclusive event means the
        // rest of the track cannot be read.
        if (status < 0x80 || status >= 0xF0) return;
        in.Seek(in.Position() - 1);
      }
      e.Data.push_back(static_cast<char>(status));
      if (status == 0xFF) {
        e.Kind = MK_META;
        e.Data.push_back(static_cast<char>(in.U8()));
        e.Data += in.Bytes(in.Count(VariableLength(in)));
      } else if (status >= 0xF0) {
        e.Kind = MK_SYSEX;
        e.Data += in.Bytes(in.Count(VariableLength(in)));
      } else {
        e.Data += in.Bytes(DataBytesOfChannelStatus(status));
      }
      e.Tick = tick;
      e.Track = track;
      e.Id = static_cast<int32_t>(Events.size());
      e.Class = ClassOfMidiData(e.Data);
      Events.push_back(std::move(e));
      if (Events.back().Class == MC_END_OF_TRACK) return;
    }
  } catch (const LoadError&) {
    // The event that runs past the chunk is dropped; the track ends there.
  }
}

// Milliseconds from the tempo map: the factor per tick is computed in single
// precision and each interval rounded on its own, as the games expect.
void TMidiV::Time() {
  int32_t tempo = kDefaultTempo;
  int32_t previous = 0;
  int32_t clock = 0;
  for (TMidiMsgEvent& e : Events) {
    float per_tick = static_cast<float>(tempo) / static_cast<float>(Division) / 1000.0f;
    int64_t ticks = int64_t{e.Tick} - previous;
    clock = WrapAdd(clock, RoundToInt32(static_cast<long double>(per_tick) * ticks));
    e.Time = clock;
    Length = clock;
    previous = e.Tick;
    if (e.Class == MC_TEMPO && e.Data.size() >= 5) {
      auto b = [&](std::size_t i) { return static_cast<int32_t>(static_cast<uint8_t>(e.Data[i])); };
      tempo = (b(2) << 16) | (b(3) << 8) | b(4);
    }
  }
}

}  // namespace rivo

#pragma once
// Standard MIDI Files as the sequencer plays them: every track merged into
// one list ordered by tick (ties keep reading order), each event timed in
// milliseconds from the tempo map. The times are computed the way the
// games' own sequencer computed them (a single-precision milliseconds-per-
// tick factor, rounded per event), so that positions stored by games and
// lengths shown to players agree with what they were written against.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace rivo {

// What playback needs to know about an event.
enum TMidiEventClass : int32_t {
  MC_OTHER = 0,
  MC_NOTE_ON = 1,
  MC_NOTE_OFF = 2,
  MC_CONTROL = 4,
  MC_GS_RESET = 8,
  MC_TEMPO = 9,
  MC_END_OF_TRACK = 18,
};

enum TMidiEventKind : int32_t { MK_CHANNEL = 0, MK_SYSEX = 1, MK_META = 2 };

struct TMidiMsgEvent {
  int32_t Tick = 0;   // absolute position in ticks
  int32_t Time = 0;   // ms from the start
  int32_t Delta = 0;  // ticks since the previous event of the same track
  int32_t Id = 0;     // order of reading over the whole file
  // Status byte and data bytes; a meta event is FF, its type and its data;
  // a system-exclusive event its status byte and data, without the length.
  std::string Data;
  TMidiEventKind Kind = MK_CHANNEL;
  TMidiEventClass Class = MC_OTHER;
  int32_t Track = 0;
};

TMidiEventClass ClassOfMidiData(const std::string& data);

// The parsed file. A damaged file never raises: what cannot be read yields
// no events (a file that is not MIDI at all, division 0) or ends the track
// where the damage starts, keeping every track before and after it.
class TMidiV {
 public:
  void Load(std::span<const uint8_t> bytes);

  int32_t Format = 0;
  int32_t TrackCount = 0;  // from the header
  int32_t TracksRead = 0;  // "MTrk" chunks actually read
  int32_t Division = 0;    // ticks per quarter note
  int32_t Length = 0;      // ms, the time of the last event
  std::vector<TMidiMsgEvent> Events;

 private:
  void ReadTrack(std::span<const uint8_t> chunk, int32_t track);
  void Time();
};

}  // namespace rivo

// The MIDI file reader: merged tracks, times from the tempo map with the
// single-precision factor rounded per event, and damaged files that keep
// every track that can be read.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "media/midi_fixtures.h"
#include "media/midi_v.h"

namespace rivo {
namespace {

using testing::B;
using testing::Chunk;
using testing::EndOfTrack;
using testing::MidiHeader;
using testing::MidiTrack;

TMidiV Parse(const std::string& bytes) {
  TMidiV midi;
  midi.Load({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
  return midi;
}

std::vector<int32_t> Times(const TMidiV& midi) {
  std::vector<int32_t> out;
  for (const TMidiMsgEvent& e : midi.Events) out.push_back(e.Time);
  return out;
}

// A conductor track that halves the tempo at tick 960 and a track of notes
// and controllers (with running status), division 480.
std::string TempoChangeFile() {
  std::vector<testing::MidiEventBytes> notes = {{0, B({0x90, 0x3C, 0x64})}, {1, B({0xB0, 0x01, 0x00})}};
  for (int i = 1; i < 12; ++i) notes.push_back({1, B({0x01, i})});
  notes.insert(notes.end(), {{468, B({0x80, 0x3C, 0x00})},
                             {480, B({0xC0, 0x05})},
                             {1, B({0x90, 0x3C, 0x64})},
                             {1, B({0x3E, 0x64})},
                             EndOfTrack(478)});
  return MidiHeader(1, 2, 480) + MidiTrack({{960, B({0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90})}, EndOfTrack(480)}) +
         MidiTrack(notes);
}

TEST(MidiReader, TimesEventsWithTheSinglePrecisionFactorRoundedPerEvent) {
  TMidiV midi = Parse(TempoChangeFile());
  EXPECT_EQ(midi.Format, 1);
  EXPECT_EQ(midi.Division, 480);
  EXPECT_EQ(midi.TracksRead, 2);
  // One tick is 1.0417 ms: each of the twelve rounds to 1 (exactly they
  // would make 12.5). 468 ticks make 487.49998 in single precision, where
  // exact arithmetic would give 487.5 and round to 488. From tick 960 a
  // tick is 0.5208 ms.
  EXPECT_EQ(Times(midi), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 499, 999, 999, 1000, 1001,
                                               1250, 1250}));
  EXPECT_EQ(midi.Length, 1250);
}

TEST(MidiReader, MergesTracksByTickThenReadingOrderAndExpandsRunningStatus) {
  TMidiV midi = Parse(TempoChangeFile());
  // At tick 960 the conductor's tempo (read first) comes before the program change.
  EXPECT_EQ(midi.Events[14].Class, MC_TEMPO);
  EXPECT_EQ(midi.Events[14].Track, 0);
  EXPECT_EQ(midi.Events[15].Data, B({0xC0, 0x05}));
  EXPECT_EQ(midi.Events[15].Track, 1);
  EXPECT_EQ(midi.Events[2].Data, B({0xB0, 0x01, 0x01}));
  EXPECT_EQ(midi.Events[2].Delta, 1);
  EXPECT_EQ(midi.Events[17].Data, B({0x90, 0x3E, 0x64}));
  EXPECT_EQ(midi.Events[0].Class, MC_NOTE_ON);
  EXPECT_EQ(midi.Events[13].Class, MC_NOTE_OFF);
  EXPECT_EQ(midi.Events[1].Class, MC_CONTROL);
  EXPECT_EQ(midi.Events.back().Class, MC_END_OF_TRACK);
  EXPECT_LT(midi.Events[18].Id, midi.Events[19].Id);
}

TEST(MidiReader, ClassifiesEventsAndKeepsSystemExclusiveWithoutItsLength) {
  const std::string gs_reset = B({0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7});
  TMidiV midi = Parse(MidiHeader(0, 1, 96) + MidiTrack({{0, B({0xF0, 10}) + gs_reset},
                                                         {0, B({0xF0, 3, 0x7E, 0x01, 0xF7})},
                                                         {0, B({0x90, 0x40, 0x00})},
                                                         {0, B({0xFF, 0x03, 2, 'h', 'i'})},
                                                         EndOfTrack()}));
  ASSERT_EQ(midi.Events.size(), 5u);
  EXPECT_EQ(midi.Events[0].Data, B({0xF0}) + gs_reset);
  EXPECT_EQ(midi.Events[0].Class, MC_GS_RESET);
  EXPECT_EQ(midi.Events[0].Kind, MK_SYSEX);
  EXPECT_EQ(midi.Events[1].Class, MC_OTHER);
  EXPECT_EQ(midi.Events[2].Class, MC_NOTE_OFF);  // note on with velocity 0
  EXPECT_EQ(midi.Events[3].Data, B({0xFF, 0x03, 'h', 'i'}));
  EXPECT_EQ(midi.Events[3].Kind, MK_META);
}

struct DamagedCase {
  const char* what;
  std::string bytes;
  int tracks_read;
  std::size_t events;
};

TEST(MidiReader, DamagedFilesKeepEveryTrackThatCanBeRead) {
  const std::string track = MidiTrack({{0, B({0x90, 0x3C, 0x64})}, {10, B({0x80, 0x3C, 0x00})}, EndOfTrack()});
  const std::string body = B({0x90, 0x3C, 0x64});
  const DamagedCase cases[] = {
      {"header of ten bytes", MidiHeader(0, 1, 96, B({1, 2, 3, 4})) + track, 1, 3},
      {"vendor chunk before the only track", MidiHeader(0, 1, 96) + Chunk("XFIH", "vendor") + track, 1, 3},
      {"vendor chunks between tracks", MidiHeader(1, 2, 96) + track + Chunk("MTxx", "") + track, 2, 6},
      {"running status first", MidiHeader(1, 2, 96) + MidiTrack({{0, B({0x3C, 0x64})}, EndOfTrack()}) + track, 2, 3},
      {"running status after a meta event",
       MidiHeader(0, 1, 96) + MidiTrack({{0, body}, {0, B({0xFF, 0x01, 0x00})}, {0, B({0x3C, 0x00})}, EndOfTrack()}),
       1, 2},
      {"meta length past the chunk",
       MidiHeader(1, 2, 96) + MidiTrack({{0, body}, {0, B({0xFF, 0x01, 0x7F, 'x'})}}) + track, 2, 4},
      {"system-exclusive length past the chunk",
       MidiHeader(1, 2, 96) + MidiTrack({{0, body}, {0, B({0xF0, 0x81, 0x00, 0x01})}}) + track, 2, 4},
      {"track length past the file", MidiHeader(0, 1, 96) + "MTrk" + testing::BigEndian32(1000) + B({0}) + body, 1, 1},
      {"cut inside an event", MidiHeader(0, 1, 96) + track.substr(0, track.size() - 5), 1, 1},
      {"track without end of track", MidiHeader(0, 1, 96) + MidiTrack({{0, body}, {5, body}}), 1, 2},
      {"more tracks announced than stored", MidiHeader(1, 5, 96) + track, 1, 3},
      {"header length past the file", "MThd" + testing::BigEndian32(999) + B({0, 0, 0, 1, 0, 96}) + track, 0, 0},
      {"division 0", MidiHeader(0, 1, 0) + track, 0, 0},
      {"not a MIDI file", "RIFF" + track, 0, 0},
      {"header cut short", MidiHeader(0, 1, 96).substr(0, 12), 0, 0},
  };
  for (const DamagedCase& c : cases) {
    TMidiV midi = Parse(c.bytes);
    EXPECT_EQ(midi.TracksRead, c.tracks_read) << c.what;
    EXPECT_EQ(midi.Events.size(), c.events) << c.what;
  }
}

TEST(MidiReader, ReadsAnSmpteDivisionAsTicksPerQuarter) {
  // 0xE728 (25 frames of 40 ticks) is taken as 59176 ticks per quarter.
  TMidiV midi = Parse(MidiHeader(0, 1, 0xE728) + MidiTrack({{59176, B({0x90, 0x3C, 0x64})}, EndOfTrack()}));
  EXPECT_EQ(midi.Division, 0xE728);
  EXPECT_EQ(Times(midi), (std::vector<int32_t>{500, 500}));
}

}  // namespace
}  // namespace rivo

// MIDI files read and parsed ahead by the look-ahead loader: each sequence
// handed over equals what the MIDI player parses from the file now, and a
// file changed or gone since it was read ahead is not offered (the player's
// own read gives the new file, or its error). Through the media system, the
// player plays the sequence read ahead and reads itself whatever is not
// offered.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/error.h"
#include "host/look_ahead.h"
#include "host/loose_game.h"
#include "media/media_file.h"
#include "media/media_system.h"
#include "media/midi_fixtures.h"
#include "media/midi_v.h"
#include "platform/headless/null_audio_device.h"
#include "platform/headless/virtual_clock.h"

namespace rivo {
namespace {

using test::LooseGame;
using test::Settle;
using testing::B;

// notes notes of half a second each (division 480 at the default tempo),
// on two tracks, so that parsing merges and sorts them.
std::string Song(int notes) {
  std::vector<testing::MidiEventBytes> melody = {{0, B({0xC0, 0})}}, bass = {{0, B({0xC1, 32})}};
  for (int i = 0; i < notes; ++i) {
    melody.push_back({0, B({0x90, 60 + i % 12, 100})});
    melody.push_back({480, B({0x80, 60 + i % 12, 0})});
    bass.push_back({0, B({0x91, 36, 90})});
    bass.push_back({480, B({0x81, 36, 0})});
  }
  melody.push_back(testing::EndOfTrack());
  bass.push_back(testing::EndOfTrack());
  return testing::MidiHeader(1, 2, 480) + testing::MidiTrack(melody) + testing::MidiTrack(bass);
}

std::string Dump(const TMidiV& midi) {
  std::ostringstream out;
  out << midi.Format << ' ' << midi.TrackCount << ' ' << midi.TracksRead << ' ' << midi.Division << ' '
      << midi.Length << '\n';
  for (const TMidiMsgEvent& e : midi.Events) {
    out << e.Tick << ' ' << e.Time << ' ' << e.Delta << ' ' << e.Id << ' ' << e.Kind << ' ' << e.Class << ' '
        << e.Track;
    for (unsigned char c : e.Data) out << ' ' << static_cast<int>(c);
    out << '\n';
  }
  return out.str();
}

std::string Parsed(const std::string& bytes) {
  TMidiV midi;
  midi.Load({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
  return Dump(midi);
}

// What the MIDI player reads from the file now and parses, or the error it raises.
std::string OwnParse(LooseGame& game, const std::string& name) {
  try {
    std::unique_ptr<TStream> file = OpenMediaFile(game.files, name);
    std::string bytes(static_cast<std::size_t>(file->GetSize()), '\0');
    file->Seek(0, SeekOrigin::kBeginning);
    bytes.resize(static_cast<std::size_t>(file->Read(bytes.data(), static_cast<int64_t>(bytes.size()))));
    return Parsed(bytes);
  } catch (const std::exception& e) {
    return std::string("error: ") + e.what();
  }
}

TEST(LookAheadMusic, SequencesReadAheadEqualThePlayersOwnAndFilesChangedOrGoneSinceAreNotOffered) {
  LooseGame game;
  const std::string song = Song(8);
  struct Case {
    const char* name;
    std::optional<std::string> bytes;  // nothing: no such file
    std::optional<std::string> later;  // written after it was read ahead; "" removes it
    bool offered;
  };
  const Case cases[] = {
      {"theme.mid", song, std::nullopt, true},
      {"Battle.SGT", std::string("not a standard MIDI file"), std::nullopt, true},  // parsed as no events
      {"empty.mid", std::string(), std::nullopt, true},
      {"cut.mid", song.substr(0, song.size() - 5), std::nullopt, true},  // the damaged track ends early
      {"changed.mid", Song(2), Song(3), false},
      {"gone.mid", Song(2), std::string(), false},
      {"missing.mid", std::nullopt, std::nullopt, false},
  };
  std::string start;
  for (const Case& c : cases) {
    if (c.bytes) game.Put(c.name, *c.bytes);
    start += std::string("Calc m = \"") + c.name + "\"\n";
  }
  game.PutPages({{"start.rsb", start.c_str()}});
  LookAhead ahead(game.files);
  ahead.Start();
  ahead.PageOpened("start.rsb");
  Settle(ahead);
  // Later than the file system's time resolution.
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  for (const Case& c : cases) {
    if (!c.later) continue;
    if (c.later->empty())
      std::filesystem::remove(game.dir.Path() / "game" / c.name);
    else
      game.Put(c.name, *c.later);
  }

  for (const Case& c : cases) {
    EXPECT_EQ(ahead.OffersSequence(c.name), c.offered) << c.name;
    std::unique_ptr<TMidiV> taken = ahead.TakeSequence(c.name);
    EXPECT_EQ(taken != nullptr, c.offered) << c.name;
    const std::string own = OwnParse(game, c.name);
    const bool there = c.later ? !c.later->empty() : c.bytes.has_value();
    EXPECT_EQ(own.rfind("error: ", 0) == 0, !there) << c.name << ": " << own;
    if (there) {
      EXPECT_EQ(own, Parsed(c.later && !c.later->empty() ? *c.later : *c.bytes)) << c.name;
    }
    if (taken) {
      EXPECT_EQ(Dump(*taken), own) << c.name;
    }
    // Taken once: from then on the player reads the file.
    EXPECT_FALSE(ahead.OffersSequence(c.name)) << c.name;
    EXPECT_FALSE(ahead.TakeSequence(c.name)) << c.name;
  }
}

TEST(LookAheadMusic, TheMidiPlayerPlaysTheSequenceReadAheadAndReadsWhatIsNotOfferedItself) {
  LooseGame game;
  game.Put("theme.mid", Song(8));
  game.Put("other.mid", Song(4));
  game.PutPages({{"start.rsb", "Calc a = \"theme.mid\"\nCalc b = \"missing.mid\"\n"}});
  LookAhead ahead(game.files);
  ahead.Start();
  ahead.PageOpened("start.rsb");
  Settle(ahead);

  VirtualClock clock;
  NullAudioDevice device(clock);
  TMediaSystem media(game.files, device, clock, {.SoundFont = "/nonexistent.sf2"});
  media.Midi().SetPrepared(&ahead);
  const int32_t served = ahead.Served();
  TDMediaItem* theme = media.Midi().Add("theme.mid");
  EXPECT_EQ(ahead.Served(), served);  // offered, taken when it plays
  theme->Play();
  EXPECT_EQ(ahead.Served(), served + 1);
  EXPECT_TRUE(theme->IsPlaying());
  EXPECT_EQ(theme->GetLen(), 4000);

  // Named by no page: read by the player.
  TDMediaItem* other = media.Midi().Add("other.mid");
  other->Play();
  EXPECT_EQ(other->GetLen(), 2000);
  // Taken once: played again, the theme is read by the player.
  theme->Play();
  EXPECT_EQ(theme->GetLen(), 4000);
  EXPECT_EQ(ahead.Served(), served + 1);
  // Named, but found nowhere: the player's own check raises as always.
  EXPECT_THROW(media.Midi().Add("missing.mid"), RivoError);
}

}  // namespace
}  // namespace rivo

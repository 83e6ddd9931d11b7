// MIDI items on the null device: one sequencer handed over between items,
// lengths learned without playing, the port list, the end of a song.

#include <algorithm>

#include <gtest/gtest.h>

#include "common/encoding.h"
#include "media/fluid_synth_output.h"
#include "media/media_system.h"
#include "media/midi_fixtures.h"
#include "media/midi_item.h"
#include "media/sound_fixtures.h"
#include "platform/headless/null_audio_device.h"

namespace rivo {
namespace {

using testing::B;
using testing::CaptureDevice;
using testing::EndOfTrack;
using testing::GameFolder;
using testing::MidiHeader;
using testing::MidiTrack;

constexpr int kTickMs = 15;
const std::string kMapper = Utf8ToCp932("MIDIマッパー");

// One note every half second for the given number of seconds (division 480
// at the default tempo: 480 ticks = 500 ms).
std::string Song(int seconds) {
  std::vector<testing::MidiEventBytes> events = {{0, B({0xC0, 0})}};
  for (int i = 0; i < seconds * 2; ++i) {
    events.push_back({0, B({0x90, 60, 100})});
    events.push_back({480, B({0x80, 60, 0})});
  }
  events.push_back(EndOfTrack());
  return MidiHeader(0, 1, 480) + MidiTrack(events);
}

// Headless with no sound font to load: the music is timed and silent.
struct Headless {
  Headless() : device(clock), media(game.Files(), device, clock, {.SoundFont = "/nonexistent.sf2"}) {}
  TDMediaItem* Add(const std::string& name) { return media.Midi().Add(name); }
  void Run(int ms) {
    for (int t = 0; t < ms; t += kTickMs) clock.AdvanceTo(clock.NowMs() + kTickMs);
  }
  GameFolder game;
  VirtualClock clock;
  NullAudioDevice device;
  TMediaSystem media;
};

TEST(MidiItems, TheSecondItemTakesTheSequencerAndTheFirstResumesWhereItStopped) {
  Headless h;
  h.game.Put("a.mid", Song(10));
  h.game.Put("b.mid", Song(4));
  TDMediaItem* a = h.Add("a.mid");
  TDMediaItem* b = h.Add("b.mid");
  a->Play();
  h.Run(3000);
  const int32_t a_at = a->GetPosition();
  EXPECT_NEAR(a_at, 3000, kTickMs);
  b->Play();
  EXPECT_EQ(h.media.Midi().Owner(), b);
  EXPECT_FALSE(a->IsPlaying());
  EXPECT_FALSE(a->IsEnd());
  EXPECT_EQ(a->GetPosition(), a_at);
  EXPECT_EQ(a->GetLen(), 10000);
  h.Run(1000);
  EXPECT_TRUE(b->IsPlaying());
  EXPECT_NEAR(b->GetPosition(), 1000, kTickMs);
  EXPECT_EQ(a->GetPosition(), a_at);
  a->Play();
  EXPECT_FALSE(b->IsPlaying());
  EXPECT_NEAR(b->GetPosition(), 1000, kTickMs);
  EXPECT_EQ(a->GetPosition(), a_at);
  h.Run(500);
  EXPECT_NEAR(a->GetPosition(), a_at + 500, kTickMs);
}

TEST(MidiItems, ASongEndsOnceAndAgainAfterRewinding) {
  Headless h;
  h.game.Put("a.mid", Song(1));
  TDMediaItem* a = h.Add("a.mid");
  a->Play();
  int ends = 0;
  for (int t = 0; t < 1500; t += kTickMs) {
    h.Run(kTickMs);
    ends += a->IsEnd();
    if (t < 990) { EXPECT_TRUE(a->IsPlaying()) << t; }
  }
  EXPECT_EQ(ends, 1);
  a->SetPosition(0);
  EXPECT_FALSE(a->IsEnd());
  h.Run(1500);
  EXPECT_TRUE(a->IsEnd());
}

TEST(MidiItems, PausingRemembersThePositionAndNothingPlaysOnItsOwn) {
  Headless h;
  h.game.Put("a.mid", Song(5));
  TDMediaItem* a = h.Add("a.mid");
  a->Play();
  h.Run(1200);
  a->Pause();
  const int32_t at = a->GetPosition();
  EXPECT_TRUE(a->IsPaused());
  EXPECT_FALSE(a->IsPlaying());
  h.Run(1000);
  EXPECT_EQ(a->GetPosition(), at);
  a->SetPosition(2500);  // only remembered while paused
  EXPECT_EQ(a->GetPosition(), 2500);
  a->Play();
  h.Run(300);
  EXPECT_NEAR(a->GetPosition(), 2800, kTickMs);
}

TEST(MidiItems, LengthsAreKnownBeforePlayingAndSgtFilesEndAtOnce) {
  Headless h;
  h.game.Put("a.mid", Song(3));
  h.game.Put("b.sgt", "DMUS segment");
  h.game.Put("empty.mid", "");
  EXPECT_EQ(h.Add("a.mid")->GetLen(), 3000);
  TDMediaItem* sgt = h.Add("b.sgt");
  EXPECT_EQ(sgt->GetLen(), 0);
  sgt->Play();
  EXPECT_TRUE(sgt->IsEnd());
  // An empty file leaves nothing of the song before it in the sequencer.
  TDMediaItem* a = h.Add("a.mid");
  a->Play();
  TDMediaItem* empty = h.Add("empty.mid");
  empty->Play();
  EXPECT_EQ(empty->GetLen(), 0);
  EXPECT_TRUE(empty->IsEnd());
}

TEST(MidiItems, VolumeIsClampedToTheControllersRange) {
  Headless h;
  h.game.Put("a.mid", Song(1));
  TDMediaItem* a = h.Add("a.mid");
  for (auto [set, got] : std::vector<std::pair<int32_t, int32_t>>{{-2550, -2550}, {500, 0}, {-20000, -10000}}) {
    a->SetVol(set);
    EXPECT_EQ(a->GetVol(), got) << set;
  }
}

TEST(MidiItems, ThePortListStartsWithTheMapperAndSelectsByName) {
  Headless h;
  TMidiManager& midi = h.media.Midi();
  ASSERT_EQ(midi.PortCount(), 2);
  EXPECT_EQ(midi.PortName(0), kMapper);
  EXPECT_EQ(midi.PortName(7), kMapper);
  EXPECT_EQ(midi.PortName(-1), kMapper);
  EXPECT_EQ(midi.SelectedPortName(), kMapper);
  midi.SelectPort(midi.PortName(1));
  EXPECT_EQ(midi.SelectedPortName(), midi.PortName(1));
  midi.SelectPort("no such port");
  EXPECT_EQ(midi.SelectedPortName(), kMapper);
}

TEST(MidiItems, ChangingThePortWhilePlayingGoesOnWhereItWas) {
  Headless h;
  h.game.Put("a.mid", Song(5));
  TDMediaItem* a = h.Add("a.mid");
  a->Play();
  h.Run(1000);
  h.media.Midi().SelectPort(h.media.Midi().PortName(1));
  EXPECT_TRUE(a->IsPlaying());
  h.Run(500);
  EXPECT_NEAR(a->GetPosition(), 1500, 2 * kTickMs);
}

TEST(MidiItems, SoundOffSuspendsTheOwningItemAndOnResumesIt) {
  Headless h;
  h.game.Put("a.mid", Song(5));
  TDMediaItem* a = h.Add("a.mid");
  a->Play();
  h.Run(1000);
  h.media.SetSoundOn(false);
  EXPECT_FALSE(a->IsPlaying());
  const int32_t at = a->GetPosition();
  h.Run(1000);
  EXPECT_EQ(a->GetPosition(), at);
  h.media.SetSoundOn(true);
  EXPECT_TRUE(a->IsPlaying());
  h.Run(300);
  EXPECT_NEAR(a->GetPosition(), at + 300, kTickMs);
}

// When the synthesiser is made: at the first open, on a worker the manager
// starts, or on one started before the media system existed (as the
// player does from its start-up).
enum class Made { kAtOpen, kByTheManager, kBeforeTheMediaSystem };

// Two seconds of a song through the real synthesiser, pulled in the
// player's frame-sized blocks.
std::vector<int16_t> RenderSong(const std::filesystem::path& font, Made made) {
  auto early = made == Made::kBeforeTheMediaSystem ? MakeFluidSynthAhead(font)
                                                   : SynthAhead();
  GameFolder game;
  game.Put("a.mid", Song(2));
  VirtualClock clock;
  CaptureDevice device;
  TMediaSystem media(game.Files(), device, clock, {.SoundFont = font});
  if (made == Made::kByTheManager) media.Midi().PrepareSynth();
  if (made == Made::kBeforeTheMediaSystem) media.Midi().PrepareSynth(std::move(early));
  media.Midi().Add("a.mid")->Play();
  std::vector<int16_t> out;
  for (int block = 0; block < 120; ++block) {
    const std::vector<int16_t> frames = device.PullFrames(735);
    out.insert(out.end(), frames.begin(), frames.end());
  }
  return out;
}

TEST(MidiItems, ASynthesiserMadeAheadPlaysFromTheFirstNoteExactlyLikeOneMadeAtTheFirstOpen) {
  const std::filesystem::path font = ChooseSoundFont({});
  if (font.empty()) GTEST_SKIP() << "no General MIDI sound font installed (timgm6mb-soundfont)";
  const std::vector<int16_t> at_open = RenderSong(font, Made::kAtOpen);
  ASSERT_TRUE(std::any_of(at_open.begin(), at_open.begin() + 735 * 2, [](int16_t s) { return s != 0; }))
      << "the first note is heard in the first block";
  // Started just before the first play, the worker is most likely still
  // busy then: the open waits for it instead of dropping the notes due.
  EXPECT_EQ(RenderSong(font, Made::kByTheManager), at_open);
  EXPECT_EQ(RenderSong(font, Made::kBeforeTheMediaSystem), at_open);
}

TEST(MidiItems, ASynthesiserMadeAheadThatFailsOrIsNeverUsedLeavesNothingBehind) {
  {  // never used: the worker is joined and its synthesiser freed
    GameFolder game;
    VirtualClock clock;
    CaptureDevice device;
    TMediaSystem media(game.Files(), device, clock, {.SoundFont = ChooseSoundFont({})});
    media.Midi().PrepareSynth();
    media.Midi().PrepareSynth();
  }
  // No font: the worker's error is the silence of a port without a
  // synthesiser; a second worker offered later is set aside.
  Headless h;
  h.media.Midi().PrepareSynth();
  h.media.Midi().PrepareSynth(MakeFluidSynthAhead("/nonexistent.sf2"));
  h.game.Put("a.mid", Song(2));
  TDMediaItem* a = h.Add("a.mid");
  a->Play();
  h.Run(500);
  EXPECT_TRUE(a->IsPlaying());
  EXPECT_NEAR(a->GetPosition(), 500, 2 * kTickMs);
}

// What a game can see of a song pulled block by block (position, playing,
// ended), through a change of port, the end and a rewind; the samples go
// to samples.
std::vector<std::string> WatchASong(bool discards, const std::filesystem::path& font, std::vector<int16_t>& samples) {
  GameFolder game;
  game.Put("a.mid", Song(1));
  VirtualClock clock;
  CaptureDevice device(discards);
  TMediaSystem media(game.Files(), device, clock, {.SoundFont = font});
  media.Midi().PrepareSynth();
  TDMediaItem* a = media.Midi().Add("a.mid");
  a->Play();
  std::vector<std::string> seen;
  for (int block = 0; block < 150; ++block) {
    if (block == 20) media.Midi().SelectPort(media.Midi().PortName(1));
    if (block == 80) a->SetPosition(0);
    const std::vector<int16_t> frames = device.PullFrames(735);
    samples.insert(samples.end(), frames.begin(), frames.end());
    seen.push_back(std::to_string(a->GetPosition()) + (a->IsPlaying() ? " playing" : "") + (a->IsEnd() ? " end" : ""));
  }
  return seen;
}

TEST(MidiItems, MusicThatNobodyHearsIsNotSynthesisedAndKeepsExactlyTheSameTime) {
  const std::filesystem::path font = ChooseSoundFont({});
  std::vector<int16_t> heard, discarded, no_font;
  const std::vector<std::string> with_synth = WatchASong(false, font, heard);
  EXPECT_EQ(WatchASong(true, font, discarded), with_synth);
  EXPECT_EQ(WatchASong(false, "/nonexistent.sf2", no_font), with_synth) << "a missing font is timed silence";
  EXPECT_TRUE(std::all_of(discarded.begin(), discarded.end(), [](int16_t s) { return s == 0; }));
  EXPECT_TRUE(std::all_of(no_font.begin(), no_font.end(), [](int16_t s) { return s == 0; }));
  if (font.empty()) GTEST_SKIP() << "no General MIDI sound font installed (timgm6mb-soundfont)";
  EXPECT_TRUE(std::any_of(heard.begin(), heard.end(), [](int16_t s) { return s != 0; }));
}

}  // namespace
}  // namespace rivo

// Media items as the sound component sees them, on the null device in
// virtual time: lengths, ends, loops, volumes, sound on and off, files
// inside game.dat, damaged files.

#include <cmath>
#include <tuple>

#include <gtest/gtest.h>

#include "common/error.h"
#include "media/media_system.h"
#include "media/sound_fixtures.h"
#include "platform/headless/null_audio_device.h"

namespace rivo {
namespace {

using testing::CaptureDevice;
using testing::GameFolder;
using testing::OggOf;
using testing::SinePcm;
using testing::WavOf;

constexpr int kTickMs = 15;

// A game on the null device: the clock moves in frame ticks.
// Sound through either path, in blocks of 100 ms.
MediaSettings QuickSound(bool direct_sound) {
  MediaSettings settings;
  settings.UseDirectSound = direct_sound;
  settings.SoundDelayMs = 100;
  return settings;
}

struct Headless {
  explicit Headless(MediaSettings settings = {}) : device(clock), media(game.Files(), device, clock, settings) {}
  TDMediaItem* Add(const std::string& name) {
    TMediaManager* m = media.ManagerFor(name);
    return m ? m->Add(name) : nullptr;
  }
  void Tick() { clock.AdvanceTo(clock.NowMs() + kTickMs); }

  GameFolder game;
  VirtualClock clock;
  NullAudioDevice device;
  TMediaSystem media;
};

std::string OneSecondOgg() { return OggOf(SinePcm(44100, 2, 44100, 440, 8000), 2, 44100); }

// Ticks until the item reports its end; the times of every report.
std::vector<uint64_t> EndReports(Headless& h, TDMediaItem* item, int ticks) {
  std::vector<uint64_t> at;
  for (int i = 0; i < ticks; ++i) {
    h.Tick();
    if (item->IsEnd()) at.push_back(h.clock.NowMs());
  }
  return at;
}

TEST(MediaItems, AnOggOfOneSecondLastsOneSecondAndEndsOnce) {
  for (bool direct_sound : {true, false}) {
    Headless h(QuickSound(direct_sound));
    h.game.Put("a.ogg", OneSecondOgg());
    TDMediaItem* item = h.Add("a.ogg");
    EXPECT_NEAR(item->GetLen(), 1000, 1);
    item->Play();
    std::vector<uint64_t> ends = EndReports(h, item, 200);
    ASSERT_EQ(ends.size(), 1u) << direct_sound;
    if (direct_sound) {
      // Heard to its last sample at 1,000 ms: the tick that covers it.
      EXPECT_EQ(ends[0], 1005u);
    } else {
      // The wave output hears its end two blocks after the last fill.
      EXPECT_GE(ends[0], 1000u);
      EXPECT_LE(ends[0], 1000u + 2 * 100 + 10 + 2 * kTickMs);
    }
  }
}

TEST(MediaItems, EveryKindReportsItsEndOnceAndAgainAfterRewinding) {
  for (bool direct_sound : {true, false}) {
    Headless h(QuickSound(direct_sound));
    h.game.Put("short.wav", WavOf(SinePcm(4410, 1, 22050, 300, 5000), 1, 22050));
    h.game.Put("short.ogg", OggOf(SinePcm(4410, 2, 44100, 300, 5000), 2, 44100));
    h.game.Put("CD_02.ogg", OggOf(SinePcm(4410, 2, 44100, 300, 5000), 2, 44100));
    h.game.Put("tune.mid", "MThd");
    for (const char* name : {"short.wav", "short.ogg", "CD_02", "CD_07", "CD_xy", "tune.mid"}) {
      TDMediaItem* item = h.Add(name);
      ASSERT_NE(item, nullptr) << name;
      item->Play();
      EXPECT_EQ(EndReports(h, item, 60).size(), 1u) << name;
      item->SetPosition(0);
      item->Play();
      EXPECT_EQ(EndReports(h, item, 60).size(), 1u) << name << " after SetPosition(0)";
    }
  }
}

TEST(MediaItems, ARipppedCdTrackPlaysAndAMissingOneHasNoLength) {
  Headless h;
  h.game.Put("CD_03.wav", WavOf(SinePcm(44100, 2, 44100, 300, 5000), 2, 44100));
  EXPECT_NEAR(h.Add("CD_03")->GetLen(), 1000, 1);
  EXPECT_EQ(h.Add("CD_04")->GetLen(), 0);
}

TEST(MediaItems, RepeatWrapsThePositionToTheRepeatPoint) {
  for (bool direct_sound : {true, false}) {
    Headless h(QuickSound(direct_sound));
    h.game.Put("a.ogg", OneSecondOgg());
    TDMediaItem* item = h.Add("a.ogg");
    item->SetAutoRepeat(true);
    item->SetRepeatPos(250);
    item->Play();
    int32_t last = 0;
    bool wrapped = false;
    for (int i = 0; i < 100; ++i) {
      h.Tick();
      EXPECT_FALSE(item->IsEnd());
      int32_t now = item->GetPosition();
      if (now < last) {
        wrapped = true;
        EXPECT_GE(now, 250);
        EXPECT_LT(now, 250 + 3 * kTickMs + (direct_sound ? 0 : 200));
      }
      last = now;
    }
    EXPECT_TRUE(wrapped) << direct_sound;
  }
}

TEST(MediaItems, VolumeIsInHundredthsOfADecibel) {
  for (auto [volume, factor] : {std::pair{0, 1.0}, {-600, std::pow(10.0, -0.3)}, {-2000, 0.1}, {-5000, 0.0}, {-10000, 0.0}}) {
    GameFolder game;
    VirtualClock clock;
    CaptureDevice device;
    TMediaSystem media(game.Files(), device, clock, {});
    game.Put("c.wav", WavOf(testing::ConstantPcm(1000, 2, 20000), 2, 44100));
    TDMediaItem* item = media.Ogg().Add("c.wav");
    item->SetVol(volume);
    item->Play();
    std::vector<int16_t> got = device.PullFrames(10);
    for (int16_t s : got) EXPECT_NEAR(s, 20000 * factor, 1.0) << volume;
  }
}

TEST(MediaItems, PanAttenuatesTheOtherSide) {
  GameFolder game;
  VirtualClock clock;
  CaptureDevice device;
  TMediaSystem media(game.Files(), device, clock, {});
  game.Put("c.wav", WavOf(testing::ConstantPcm(1000, 2, 20000), 2, 44100));
  TDMediaItem* item = media.Ogg().Add("c.wav");
  item->SetPan(2000);  // right: the left side loses 20 dB
  item->Play();
  std::vector<int16_t> got = device.PullFrames(1);
  EXPECT_NEAR(got[0], 2000, 1);
  EXPECT_EQ(got[1], 20000);
}

TEST(MediaItems, AnyRateAndChannelCountPlays) {
  GameFolder game;
  VirtualClock clock;
  CaptureDevice device;
  TMediaSystem media(game.Files(), device, clock, {});
  game.Put("m8.wav", WavOf(std::string(11025, '\xA0'), 1, 11025, 8));
  TDMediaItem* item = media.Ogg().Add("m8.wav");
  EXPECT_EQ(item->GetLen(), 1000);
  item->Play();
  std::vector<int16_t> got = device.PullFrames(100);
  for (int16_t s : got) EXPECT_EQ(s, 32 * 256);
}

TEST(MediaItems, SoundOffThenOnResumesExactlyWhatPlayed) {
  Headless h;
  for (const char* n : {"a.ogg", "b.ogg", "c.ogg"}) h.game.Put(n, OneSecondOgg());
  TDMediaItem* a = h.Add("a.ogg");
  TDMediaItem* b = h.Add("b.ogg");
  TDMediaItem* c = h.Add("c.ogg");
  a->Play();
  b->Play();
  c->Play();
  c->Pause();
  h.Tick();
  h.media.SetSoundOn(false);
  EXPECT_FALSE(a->IsPlaying());
  EXPECT_FALSE(b->IsPlaying());
  // Paused by the scenario while sound is off: stays paused when it comes back.
  b->Pause();
  TDMediaItem* d = h.Add("a.ogg");
  d->Play();  // only marked while sound is off
  EXPECT_FALSE(d->IsPlaying());
  h.media.SetSoundOn(true);
  EXPECT_TRUE(a->IsPlaying());
  EXPECT_FALSE(b->IsPlaying());
  EXPECT_FALSE(c->IsPlaying());
  EXPECT_TRUE(d->IsPlaying());
}

TEST(MediaItems, FocusLossPausesAndFocusGainResumesWhatPlayed) {
  Headless h;
  h.game.Put("a.ogg", OneSecondOgg());
  TDMediaItem* a = h.Add("a.ogg");
  TDMediaItem* b = h.Add("a.ogg");
  a->Play();
  h.Tick();
  h.media.FocusLost();
  int32_t at = a->GetPosition();
  for (int i = 0; i < 10; ++i) h.Tick();
  EXPECT_EQ(a->GetPosition(), at);
  h.media.FocusGained();
  EXPECT_TRUE(a->IsPlaying());
  EXPECT_FALSE(b->IsPlaying());
}

TEST(MediaItems, FilesInsideGameDatPlayWithoutTemporaryCopies) {
  Headless h;
  h.game.Put("stored.ogg", OneSecondOgg());
  h.game.Put("packed.wav", WavOf(std::string(88200, '\0'), 2, 44100));  // zeros compress
  h.game.Pack();
  ASSERT_FALSE(std::filesystem::exists(h.game.Game() / "stored.ogg"));
  for (const char* name : {"stored.ogg", "packed.wav"}) {
    TDMediaItem* item = h.Add(name);
    EXPECT_NEAR(item->GetLen(), name[0] == 's' ? 1000 : 500, 1) << name;
    item->Play();
    EXPECT_EQ(EndReports(h, item, 80).size(), 1u) << name;
  }
  EXPECT_TRUE(h.game.TempFolderEmpty());
}

TEST(MediaItems, NamesRouteByTheirLowerCasedExtension) {
  const std::pair<const char*, MediaKind> cases[] = {
      {"a.MID", MediaKind::kMidi}, {"a.sgt", MediaKind::kMidi}, {"bgm\\x.WMA", MediaKind::kWmp},
      {"a.asf", MediaKind::kWmp},  {"m.wmv", MediaKind::kWmp},  {"a.Ogg", MediaKind::kOgg},
      {"a.wav", MediaKind::kOgg},  {"CD_03", MediaKind::kCdda}, {"CD_03.mp3", MediaKind::kCdda},
      {"cd_03", MediaKind::kNone}, {"a.mp3", MediaKind::kNone}, {"\x83\x5c.wav", MediaKind::kOgg},
  };
  for (auto [name, kind] : cases) EXPECT_EQ(MediaKindOf(name), kind) << name;
}

TEST(MediaItems, DamagedAndMissingFilesRaiseClearErrors) {
  Headless h;
  std::string ogg = OneSecondOgg();
  std::string wav = WavOf(SinePcm(100, 2, 44100, 300, 5000), 2, 44100);
  const std::pair<const char*, std::string> damaged[] = {
      {"empty.ogg", ""},
      {"junk.ogg", std::string(5000, 'x')},
      {"cut.ogg", ogg.substr(0, 60)},
      {"junk.wav", std::string(100, 'y')},
      {"nofmt.wav", wav.substr(0, 12) + wav.substr(36)},
      {"junk.wma", std::string(3000, 'z')},
  };
  for (const auto& [name, bytes] : damaged) {
    h.game.Put(name, bytes);
    try {
      h.Add(name);
      ADD_FAILURE() << name << " was accepted";
    } catch (const RivoError& e) {
      EXPECT_STREQ(e.what(), kBadSoundData) << name;
    }
  }
  for (const char* name : {"none.ogg", "/etc/passwd.wav", "C:\\Windows\\win.ini.wav", "..\\x.ogg"})
    EXPECT_THROW(h.Add(name), RivoError) << name;
}

TEST(MediaItems, AnOggCutShortEndsWhereItsDataEnds) {
  std::string ogg = OggOf(SinePcm(441000, 2, 44100, 440, 8000), 2, 44100);
  for (bool direct_sound : {true, false}) {
    Headless h(QuickSound(direct_sound));
    h.game.Put("cut.ogg", ogg.substr(0, ogg.size() / 2));
    TDMediaItem* item = h.Add("cut.ogg");
    item->Play();
    EXPECT_EQ(EndReports(h, item, 800).size(), 1u) << direct_sound;
  }
}

TEST(MediaItems, FormatsTheWaveOutputCannotTakeAreConvertedAndEnd) {
  for (auto [channels, rate, bits] : {std::tuple{2, 48000, 16}, {1, 11025, 8}, {2, 44100, 24}, {3, 22050, 16}}) {
    Headless h(QuickSound(false));
    std::string pcm(static_cast<std::size_t>(rate / 2 * channels * bits / 8), '\x40');
    h.game.Put("odd.wav", WavOf(pcm, channels, rate, bits));
    TDMediaItem* item = h.Add("odd.wav");
    EXPECT_NEAR(item->GetLen(), 500, 1) << rate;
    item->Play();
    EXPECT_EQ(EndReports(h, item, 80).size(), 1u) << channels << " " << rate << " " << bits;
  }
}

}  // namespace
}  // namespace rivo

// The sound component on the null sound device: effective volumes, fades,
// the end event, automatic release, stopping with a fade-out.

#include "objects/rivo_sound.h"

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "content/vr_file_manager.h"
#include "media/media_system.h"
#include "media/wav_writer.h"
#include "object_fixtures.h"
#include "platform/headless/null_audio_device.h"
#include "platform/private_temp_folder.h"

#include <fstream>

namespace rivo {
namespace {

// A screen whose sounds play through a media system on the null device;
// both clocks move together, 15 ms a tick.
struct SoundScreen {
  SoundScreen() : files(temp.Path()), device(vclock), media(files, device, vclock, {}) {
    files.MountArchive({});
    files.SetBaseFolder(game.Path());
    s.clock.delta = 15;
    s.screen.SetMedia(&media);
    // 300 ms of a constant tone.
    std::string pcm;
    for (int i = 0; i < 13230 * 2; ++i) pcm += std::string("\x10\x27", 2);
    std::ofstream(game.Path() / "se.wav", std::ios::binary) << WavFileBytes(kMixFormat, pcm);
  }
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      vclock.AdvanceTo(vclock.NowMs() + 15);
      s.Tick();
    }
  }
  TRivoSound& Sound(const std::string& name, const std::string& source = "se.wav") {
    auto& sound = s.screen.Create<TRivoSound>();
    sound.SetName(name);
    sound.SetSource(source);
    return sound;
  }
  int EndEvents() const {
    int n = 0;
    for (const auto& e : s.screen.Events().Entries()) n += e.Kind == PR_ONPLAYEND;
    return n;
  }

  PrivateTempFolder game, temp;
  TVrFileManager files;
  VirtualClock vclock;
  NullAudioDevice device;
  TMediaSystem media;
  test::Screen s;
};

TEST(RivoSound, VolumeMapsToHundredthsOfADecibel) {
  SoundScreen t;
  TRivoSound& sound = t.Sound("a");
  for (auto [volume, expected] : {std::pair{500, -2500}, {0, -10000}, {-3, -10000}, {1, -4995}, {1000, 0}, {1200, 0}}) {
    sound.SetVolume(volume);
    EXPECT_EQ(sound.EffectiveVolume(), expected) << volume;
  }
  TRivoSound& midi = t.Sound("m", "bgm.mid");
  midi.SetVolume(500);
  EXPECT_EQ(midi.EffectiveVolume(), -5000);
}

TEST(RivoSound, PlayFadeWithoutFadeTimeStartsAtFullVolume) {
  SoundScreen t;
  TRivoSound& sound = t.Sound("a");
  sound.SetPlayState(LP_PLAYFADE);
  EXPECT_EQ(sound.GetPlayState(), LP_PLAY);
  ASSERT_NE(sound.Item(), nullptr);
  EXPECT_EQ(sound.Item()->GetVol(), 0);
  EXPECT_TRUE(sound.GetPlaying());
}

TEST(RivoSound, AFadeInRisesFromTheMidpointOfTheScale) {
  SoundScreen t;
  TRivoSound& sound = t.Sound("a");
  sound.SetFadeTime(300);
  sound.SetPlayState(LP_PLAYFADE);
  t.Tick();  // the ramp starts: time 0 of the fade
  EXPECT_EQ(sound.Item()->GetVol(), -5000);
  t.Tick(10);  // 150 ms of 300
  EXPECT_EQ(sound.Item()->GetVol(), -2500);
  t.Tick(10);
  EXPECT_EQ(sound.Item()->GetVol(), 0);
}

TEST(RivoSound, TheEndEventComesOnceAndAutoScrapGoesWithoutIt) {
  SoundScreen t;
  TRivoSound& plain = t.Sound("plain");
  plain.SetOnPlayEnd("ended");
  plain.SetPlayState(LP_PLAY);
  TRivoSound& scrap = t.Sound("scrap");
  scrap.SetOnPlayEnd("ended");
  scrap.SetAutoScrap(true);
  scrap.SetPlayState(LP_PLAY);
  t.Tick(60);
  EXPECT_EQ(t.EndEvents(), 1);
  EXPECT_NE(t.s.screen.FindObjectByName("plain"), nullptr);
  EXPECT_EQ(t.s.screen.FindObjectByName("scrap"), nullptr);
}

TEST(RivoSound, StoppingWithAFadeFreesTheNameAtOnce) {
  SoundScreen t;
  TRivoSound& old = t.Sound("bgm");
  old.SetRepeat(true);
  old.SetPlayState(LP_PLAY);
  t.Tick(3);
  old.SetFadeTime(100);
  old.SetPlayState(LP_STOPFADE);
  EXPECT_EQ(old.GetName(), "\x01SCRAP_bgm");
  TRivoSound& fresh = t.Sound("bgm");
  fresh.SetPlayState(LP_PLAY);
  EXPECT_EQ(t.s.screen.FindObjectByName("bgm"), &fresh);
  EXPECT_TRUE(fresh.GetPlaying());
  t.Tick(10);
  EXPECT_EQ(t.s.screen.FindObjectByName("\x01SCRAP_bgm"), nullptr) << "gone once faded out";
  EXPECT_TRUE(fresh.GetPlaying());
}

TEST(RivoSound, AMissingFileWithAutoScrapReleasesTheSound) {
  SoundScreen t;
  TRivoSound& sound = t.Sound("x", "none.ogg");
  sound.SetAutoScrap(true);
  sound.SetPlayState(LP_PLAY);
  EXPECT_TRUE(sound.IsReleased());
}

TEST(RivoSound, LengthIsReadWithoutPlaying) {
  SoundScreen t;
  TRivoSound& sound = t.Sound("a");
  EXPECT_EQ(test::GetInt(sound, PR_COUNT), 300);
  EXPECT_EQ(sound.Item(), nullptr);
}

// The record keeps what a loaded game needs to go on: a repeating sound
// plays on from where it was, with its settings; a short sound that does
// not repeat is not worth restoring and comes back stopped; an old version
// without the later fields reads as such.
TEST(RivoSound, TheRecordRestoresWhatPlays) {
  struct Case {
    bool repeat;
    bool rewind_on_load;
    int32_t version;
    int32_t state_after;
    int32_t position_after;  // -1: about where it was saved
  };
  for (const Case& c : {Case{true, false, 140, LP_PLAY, -1}, Case{true, true, 140, LP_PLAY, 0},
                        Case{false, false, 140, LP_STOP, 0}, Case{true, true, 130, LP_PLAY, 0}}) {
    SCOPED_TRACE(c.version);
    SoundScreen t;
    TRivoSound& sound = t.Sound("bgm");
    sound.SetRepeat(c.repeat);
    sound.SetRepeatPos(40);
    sound.SetVolume(800);
    sound.SetBalance(-300);
    sound.SetOnPlayEnd("end.rsb");
    sound.SetRewindOnLoad(c.rewind_on_load);
    sound.SetPlayState(LP_PLAY);
    t.Tick(10);
    const int32_t saved_at = sound.GetIndex();
    ByteWriter out;
    sound.SaveToStream(out);
    const std::string bytes = out.Take();

    SoundScreen u;
    TRivoSound& copy = u.Sound("x");
    ByteReader in(bytes, "save.dat");
    copy.LoadFromStream(in, c.version);
    if (c.version >= 140) { EXPECT_TRUE(in.AtEnd()); }
    EXPECT_EQ(copy.GetName(), "bgm");
    EXPECT_EQ(copy.GetSource(), "se.wav");
    EXPECT_EQ(copy.GetVolume(), 800);
    EXPECT_EQ(copy.GetBalance(), -300);
    EXPECT_EQ(copy.GetOnPlayEnd(), "end.rsb");
    EXPECT_EQ(copy.GetRepeatPos(), c.version > 137 ? 40 : 0);
    EXPECT_EQ(copy.GetRewindOnLoad(), c.version > 107 && c.rewind_on_load);
    if (c.state_after == LP_STOP) {
      EXPECT_EQ(copy.Item(), nullptr);
      continue;
    }
    EXPECT_EQ(copy.GetPlayState(), c.state_after);
    ASSERT_TRUE(copy.GetPlaying());
    if (c.position_after < 0) EXPECT_NEAR(copy.GetIndex(), saved_at, 1);
    else EXPECT_EQ(copy.GetIndex(), c.position_after);
  }
}

}  // namespace
}  // namespace rivo

// Movies made at test time by the ffmpeg command, played by the video
// manager on the null device: size, length, frames at their times, the
// end, the sound track, and the placement of a movie shown as a window.

#include <gtest/gtest.h>

#include "common/error.h"
#include "media/media_system.h"
#include "media/movie_placement.h"
#include "media/sound_fixtures.h"
#include "platform/headless/null_audio_device.h"

namespace rivo {
namespace {

struct Player {
  Player() : device(clock), media(game.Files(), device, clock, {}) {}
  void Tick() {
    clock.AdvanceTo(clock.NowMs() + 15);
    media.FrameTick();
  }
  testing::GameFolder game;
  VirtualClock clock;
  NullAudioDevice device;
  TMediaSystem media;
};

bool Reddish(uint32_t bgrx) { return (bgrx >> 16 & 0xFF) > 180 && (bgrx & 0xFF) < 80; }
bool Bluish(uint32_t bgrx) { return (bgrx & 0xFF) > 180 && (bgrx >> 16 & 0xFF) < 80; }

TEST(MovieItem, MoviesOfEveryCodecPlayTheirFramesAndEndOnce) {
  const std::pair<const char*, const char*> kinds[] = {
      {"-c:v mpeg1video -c:a mp2", ".mpg"},
      {"-c:v wmv2 -c:a wmav2 -b:a 64k", ".wmv"},
      {"-c:v mpeg4 -c:a pcm_s16le", ".avi"},
  };
  for (auto [codecs, ext] : kinds) {
    std::string bytes = testing::MovieOf(codecs, ext);
    if (bytes.empty()) GTEST_SKIP() << "the ffmpeg command (package ffmpeg) is needed to make test movies";
    Player p;
    std::string name = std::string("op") + ext;
    p.game.Put(name, bytes);
    TMovieItem* movie = p.media.Video().Add(name, true);
    EXPECT_EQ(movie->GetSourceWidth(), 64) << ext;
    EXPECT_EQ(movie->GetSourceHeight(), 48) << ext;
    // As long as the container says: a Windows Media file counts its sound's padding too.
    EXPECT_NEAR(movie->GetLen(), 1000, 150) << ext;
    // The first picture is there before playing.
    ASSERT_TRUE(movie->NeedPaint());
    EXPECT_TRUE(Reddish(movie->TakeFrame()[64 * 24 + 32])) << ext;
    movie->Play();
    int frames = 0, ends = 0;
    bool blue_at_700 = false;
    for (int t = 0; t < 100; ++t) {
      p.Tick();
      if (movie->NeedPaint()) {
        ++frames;
        const std::vector<uint32_t>& px = movie->TakeFrame();
        ASSERT_EQ(px.size(), 64u * 48u);
        if (p.clock.NowMs() >= 700 && p.clock.NowMs() < 900) blue_at_700 = Bluish(px[64 * 24 + 32]);
        for (uint32_t v : px) ASSERT_EQ(v >> 24, 0u);
      }
      if (movie->IsEnd()) ++ends;
    }
    EXPECT_NEAR(frames, 24, 1) << ext << ": 25 frames a second, the first shown before playing";
    EXPECT_TRUE(blue_at_700) << ext;
    EXPECT_EQ(ends, 1) << ext;
  }
}

TEST(MovieItem, PausingStopsTheMovieTimeAndRepeatStartsOver) {
  std::string bytes = testing::MovieOf("-c:v mpeg1video -c:a mp2", ".mpg");
  if (bytes.empty()) GTEST_SKIP() << "the ffmpeg command (package ffmpeg) is needed to make test movies";
  Player p;
  p.game.Put("m.mpg", bytes);
  p.game.Pack();
  TMovieItem* movie = p.media.Video().Add("m.mpg", true);
  movie->Play();
  for (int t = 0; t < 20; ++t) p.Tick();
  movie->Pause();
  int32_t at = movie->GetPosition();
  EXPECT_EQ(at, 300);
  for (int t = 0; t < 20; ++t) p.Tick();
  EXPECT_EQ(movie->GetPosition(), at);
  movie->SetAutoRepeat(true);
  movie->Play();
  for (int t = 0; t < 100; ++t) {
    p.Tick();
    EXPECT_FALSE(movie->IsEnd());
  }
  EXPECT_LT(movie->GetPosition(), 1000);
  EXPECT_TRUE(movie->IsPlaying());
  EXPECT_TRUE(p.game.TempFolderEmpty());
}

TEST(MovieItem, DamagedMoviesRaiseTheSoundDataError) {
  Player p;
  p.game.Put("junk.mpg", std::string(4000, 'q'));
  p.game.Put("empty.wmv", "");
  for (const char* name : {"junk.mpg", "empty.wmv"}) {
    try {
      p.media.Video().Add(name, true);
      ADD_FAILURE() << name;
    } catch (const RivoError& e) {
      EXPECT_STREQ(e.what(), kBadSoundData);
    }
  }
}

TEST(MoviePlacement, TheSourceRectangleFallsOnTheDestination) {
  // Source (10,10)-(50,40) of a 64 x 48 movie on (100,100)-(180,160): scale 2.
  EXPECT_EQ(MoviePlacement({10, 10, 50, 40}, {100, 100, 180, 160}, 64, 48), (MovieRect{80, 80, 208, 176}));
  EXPECT_EQ(MoviePlacement({0, 0, 64, 48}, {0, 0, 64, 48}, 64, 48), (MovieRect{0, 0, 64, 48}));
  // No source width or height: no scale to divide by.
  EXPECT_EQ(MoviePlacement({5, 5, 5, 9}, {1, 2, 3, 4}, 64, 48), (MovieRect{1, 2, 3, 4}));
}

}  // namespace
}  // namespace rivo

// The movie control on the null sound device with a movie made by the
// ffmpeg command: its size, pausing, the overlay switch that goes on where
// it was, stopping, and a missing file.

#include "objects/rivo_video.h"

#include <gtest/gtest.h>

#include "media/media_system.h"
#include "media/sound_fixtures.h"
#include "object_fixtures.h"
#include "platform/headless/null_audio_device.h"

namespace rivo {
namespace {

// A screen whose movies play through a media system on the null device;
// both clocks move together, 15 ms a tick.
struct MovieScreen {
  MovieScreen() : device(vclock), media(game.Files(), device, vclock, {}) {
    s.clock.delta = 15;
    s.screen.SetMedia(&media);
  }
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      vclock.AdvanceTo(vclock.NowMs() + 15);
      media.FrameTick();
      s.Tick();
    }
  }
  TRivoVideo& Movie(const std::string& source) {
    auto& movie = s.screen.Create<TRivoVideo>();
    movie.SetName("mv");
    movie.SetParent(&s.screen.ActiveBase());
    movie.SetVisible(true);
    movie.SetSource(source);
    return movie;
  }

  testing::GameFolder game;
  VirtualClock vclock;
  NullAudioDevice device;
  TMediaSystem media;
  test::Screen s;
};

TEST(RivoVideo, PlaysAtTheMoviesSizePausesAndGoesOnAcrossTheOverlaySwitch) {
  const std::string mpeg = testing::MovieOf("-c:v mpeg1video -c:a mp2", ".mpg");
  if (mpeg.empty()) GTEST_SKIP() << "the ffmpeg command is needed to make the movie";
  MovieScreen t;
  t.game.Put("clip.mpg", mpeg);
  TRivoVideo& movie = t.Movie("clip.mpg");
  movie.SetPlayState(LP_PLAY);
  ASSERT_NE(movie.Item(), nullptr);
  EXPECT_EQ(movie.GetWidth(), 64);
  EXPECT_EQ(movie.GetHeight(), 48);
  t.Tick(20);
  EXPECT_NEAR(movie.GetIndex(), 300, 15);
  EXPECT_TRUE(movie.GetPlaying());

  movie.SetPaused(true);
  const int32_t paused_at = movie.GetIndex();
  t.Tick(10);
  EXPECT_EQ(movie.GetIndex(), paused_at);
  EXPECT_FALSE(movie.GetPlaying());
  movie.SetPaused(false);

  const int32_t before = movie.GetIndex();
  movie.SetOverlay(true);
  EXPECT_FALSE(movie.Item()->ForDrawing());
  EXPECT_NEAR(movie.GetIndex(), before, 1);
  t.Tick(2);
  EXPECT_TRUE(movie.Item()->GetVisible());
  EXPECT_EQ(movie.Item()->Placement(), (MovieRect{0, 0, 64, 48}));

  movie.SetPlayState(LP_STOP);
  EXPECT_EQ(movie.Item(), nullptr);
  EXPECT_TRUE(movie.IsReleased());
  EXPECT_EQ(t.media.Video().Count(), 0u);
}

TEST(RivoVideo, AMissingMovieWithAutoScrapReleasesTheControl) {
  MovieScreen t;
  TRivoVideo& movie = t.Movie("none.mpg");
  movie.SetAutoScrap(true);
  movie.SetPlayState(LP_PLAY);
  EXPECT_TRUE(movie.IsReleased());
  EXPECT_EQ(movie.Item(), nullptr);
}

}  // namespace
}  // namespace rivo

// Whole-player runs of games/media and games/movie on the null sound
// device: ends, automatic release, fades that free the name, MovieStop
// with and without a fade, sound off and on, MediaPlay, and a movie
// control whose frames reach the screen.

#include <gtest/gtest.h>

#include <fstream>

#include "e2e/game_runner.h"
#include "media/pcm_format.h"
#include "media/midi_fixtures.h"
#include "media/sound_fixtures.h"
#include "media/wav_writer.h"
#include "platform/read_png.h"

namespace rivo::e2e {
namespace {

namespace fs = std::filesystem;

void Put(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The value of an integer variable of the run; -1 when it is missing.
int VarValue(const PlayResult& run, const std::string& name) {
  const std::size_t at = run.vars.find("\"" + name + "\": {\"kind\": \"integer\", \"value\": ");
  if (at == std::string::npos) return -1;
  return std::stoi(run.vars.substr(run.vars.find("\"value\": ", at) + 9));
}

std::string Tone(int ms) { return WavFileBytes(kMixFormat, testing::SinePcm(ms * 441 / 10, 2, 44100, 440, 6000)); }

TEST(MediaGames, SoundsEndStopFadeAndFollowSoundOnAndOff) {
  Scratch s;
  fs::path game = BuildGame("media", s.Path() / "game");
  Put(game / "short.wav", Tone(300));
  Put(game / "long.wav", Tone(3000));
  // Four notes of 250 ms at 480 ticks a quarter (500 ms).
  std::vector<testing::MidiEventBytes> notes;
  for (int n = 0; n < 4; ++n) {
    notes.push_back({0, testing::B({0x90, 60 + n, 100})});
    notes.push_back({240, testing::B({0x80, 60 + n, 0})});
  }
  notes.push_back(testing::EndOfTrack());
  Put(game / "tune.mid", testing::MidiHeader(0, 1, 480) + testing::MidiTrack(notes));
  PlayResult run = Play(game, "--ticks 400", s.Path());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  // PR_DELAY 0 plays at once at full volume.
  EXPECT_TRUE(run.HasVar("full", "flag", "true")) << run.vars;
  // "a" ended once; "s" went without its event.
  EXPECT_TRUE(run.HasVar("ends_early", "integer", "1")) << run.vars;
  EXPECT_TRUE(run.HasVar("scrap_left", "flag", "false")) << run.vars;
  // The fading "f" under its new name, the new "f" and "a": three sounds.
  EXPECT_TRUE(run.HasVar("sounds", "integer", "3")) << run.vars;
  EXPECT_TRUE(run.HasVar("new_playing", "flag", "true")) << run.vars;
  // MovieStop without a fade waits for nothing and the sound is gone.
  EXPECT_TRUE(run.HasVar("stop_ticks", "integer", "0")) << run.vars;
  EXPECT_TRUE(run.HasVar("a_left", "flag", "false")) << run.vars;
  // Sound off silences the two playing; on again resumes exactly those two.
  EXPECT_TRUE(run.HasVar("off1", "flag", "false")) << run.vars;
  EXPECT_TRUE(run.HasVar("on1", "flag", "true")) << run.vars;
  EXPECT_TRUE(run.HasVar("on2", "flag", "true")) << run.vars;
  EXPECT_TRUE(run.HasVar("on3", "flag", "false")) << run.vars;
  // MediaPlay starts over.
  EXPECT_TRUE(run.HasVar("after", "integer", "0")) << run.vars;
  EXPECT_FALSE(run.HasVar("before", "integer", "-1")) << run.vars;
  // The waiting stop held until the 300 ms fade-out had ended (a tick is 15 ms).
  const int waited = VarValue(run, "fade_wait");
  EXPECT_GE(waited, 300) << run.vars;
  EXPECT_LE(waited, 345) << run.vars;
  // The port list starts with the mapper; a port is chosen by its name.
  EXPECT_TRUE(run.HasVar("port0", "string", "\"MIDIマッパー\"")) << run.vars;
  EXPECT_TRUE(run.HasVar("port_scalar", "string", "\"MIDIマッパー\"")) << run.vars;  // the scalar is element 0
  EXPECT_TRUE(run.HasVar("port1", "string", "\"FluidSynth GM\"")) << run.vars;
  EXPECT_TRUE(run.HasVar("port_now", "string", "\"FluidSynth GM\"")) << run.vars;
  // The song played through the sequencer and ended once.
  EXPECT_TRUE(run.HasVar("midi_playing", "flag", "true")) << run.vars;
  EXPECT_TRUE(run.HasVar("midi_ends", "integer", "1")) << run.vars;
}

TEST(MediaGames, AMovieControlShowsItsFramesAndEndsOnce) {
  const std::string mpeg = testing::MovieOf("-c:v mpeg1video -c:a mp2", ".mpg");
  const std::string wmv = testing::MovieOf("-c:v wmv2 -c:a wmav2", ".wmv");
  if (mpeg.empty() || wmv.empty()) GTEST_SKIP() << "the ffmpeg command is needed to make the movies";
  Scratch s;
  fs::path game = BuildGame("movie", s.Path() / "game");
  Put(game / "clip.mpg", mpeg);
  Put(game / "clip.wmv", wmv);
  const fs::path red = s.Path() / "red.png", blue = s.Path() / "blue.png";
  // Made in the first tick: 250 ms into the movie at tick 17, 750 at tick 51.
  PlayResult run = Play(game, "--ticks 200 --screenshot-at 17:'" + red.string() + "' --screenshot-at 51:'" +
                                  blue.string() + "'", s.Path());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(run.HasVar("movie_width", "integer", "64")) << run.vars;
  EXPECT_TRUE(run.HasVar("movie_height", "integer", "48")) << run.vars;
  // One second of pictures; the container adds the sound codec's delay.
  const int length = VarValue(run, "movie_length");
  EXPECT_GE(length, 1000) << run.vars;
  EXPECT_LE(length, 1050) << run.vars;
  EXPECT_TRUE(run.HasVar("movie_ends", "integer", "1")) << run.vars;
  EXPECT_TRUE(run.HasVar("movie_left", "flag", "true")) << run.vars;
  EXPECT_TRUE(run.HasVar("wmv_left", "flag", "false")) << run.vars;
  // Red, then blue, at the control's place (the MPEG-1 at 0, the WMV at 100).
  for (const auto& [shot, colour] : {std::pair{red, 0x00FF0000u}, std::pair{blue, 0x000000FFu}}) {
    FrameBuffer f = testing_png::ReadPng(shot);
    for (int x : {32, 132}) {
      const uint32_t p = f.At(x, 24);
      const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      const int want_r = (colour >> 16) & 0xFF, want_b = colour & 0xFF;
      EXPECT_NEAR(r, want_r, 24) << shot << " x " << x;
      EXPECT_NEAR(g, 0, 24) << shot << " x " << x;
      EXPECT_NEAR(b, want_b, 24) << shot << " x " << x;
    }
    EXPECT_EQ(f.At(80, 24), 0u) << "nothing between the two movies";
  }
}

}  // namespace
}  // namespace rivo::e2e

// The sequencer with a recording output and a clock the test moves: what
// goes out, and when, for playing, seeking, pausing, repeating and scaling.

#include <chrono>
#include <cstdio>
#include <thread>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "media/midi_fixtures.h"
#include "media/midi_play_v.h"

namespace rivo {
namespace {

using testing::B;
using testing::MidiEventBytes;

struct FakeClock : Clock {
  uint64_t now = 0;
  uint64_t NowMs() override { return now; }
};

// Every message as lower-case hex, short ones as their bytes in order.
struct RecordingOutput : MidiOutput {
  std::vector<std::string> sent;
  int resets = 0;
  void ShortMessage(uint32_t packed) override {
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF);
    sent.push_back(text);
  }
  void LongMessage(std::span<const uint8_t> bytes) override {
    std::string text;
    char two[3];
    for (uint8_t b : bytes) {
      std::snprintf(two, sizeof two, "%02x", b);
      text += two;
    }
    sent.push_back(text);
  }
  void Reset() override { ++resets; }
};

const std::vector<std::string> kAllNotesOff = {"b07b00", "b17b00", "b27b00", "b37b00", "b47b00", "b57b00",
                                               "b67b00", "b77b00", "b87b00", "b97b00", "ba7b00", "bb7b00",
                                               "bc7b00", "bd7b00", "be7b00", "bf7b00"};

// Division 1000 at one second a quarter: a tick is exactly a millisecond.
std::string FileOfMs(std::vector<MidiEventBytes> events) {
  events.insert(events.begin(), {0, B({0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40})});
  return testing::MidiHeader(0, 1, 1000) + testing::MidiTrack(events);
}

// 0: note on; 1000: program; 1500: volume 100; 2000: note on; 6000: note
// off; 20000: end of track.
std::string Song() {
  return FileOfMs({{0, B({0x90, 0x3C, 0x64})},
                   {1000, B({0xC0, 0x05})},
                   {500, B({0xB0, 0x07, 100})},
                   {500, B({0x90, 0x40, 0x64})},
                   {4000, B({0x80, 0x40, 0x00})},
                   testing::EndOfTrack(14000)});
}

struct Sequencer {
  FakeClock clock;
  std::vector<int> sleeps;
  TMidiPlayV player{clock, [this](int ms) { sleeps.push_back(ms); }, false};
  std::shared_ptr<RecordingOutput> out = std::make_shared<RecordingOutput>();

  explicit Sequencer(const std::string& file) {
    player.Load({reinterpret_cast<const uint8_t*>(file.data()), file.size()});
    player.Open(out);
  }
  // Moves the clock in timer steps of 10 ms up to ms.
  void RunTo(uint64_t ms) {
    while (clock.now < ms) {
      clock.now += TMidiPlayV::kIntervalMs;
      player.TimerStep();
    }
  }
};

TEST(MidiSequencer, SendsEachEventOnceItsTimeHasPassed) {
  Sequencer s(Song());
  s.player.PlayFrom(0);
  EXPECT_TRUE(s.player.IsRunning());
  s.RunTo(10);
  EXPECT_EQ(s.out->sent, (std::vector<std::string>{"903c64"}));
  s.RunTo(1000);
  EXPECT_EQ(s.out->sent.size(), 1u);
  s.RunTo(1010);
  EXPECT_EQ(s.out->sent.back(), "c00500");
  s.RunTo(6000);
  EXPECT_FALSE(s.player.IsEnd());
  s.RunTo(6010);
  EXPECT_TRUE(s.player.IsEnd());
  EXPECT_TRUE(s.player.IsRunning());  // ended, the timer still enabled
  EXPECT_EQ(s.out->sent, (std::vector<std::string>{"903c64", "c00500", "b00764", "904064", "804000"}));
}

TEST(MidiSequencer, ScalesControllersAndClampsAbove127) {
  Sequencer s(Song());
  s.player.SetScaleAll(7, -2550 / 100 + 100);
  s.player.PlayFrom(0);
  s.RunTo(1510);
  EXPECT_EQ(s.out->sent.back(), "b0074b");  // 100 at 75 %
  s.player.SetScale(0, 7, 150);             // sent at once while running
  EXPECT_EQ(s.out->sent.back(), "b0077f");
  s.player.SetScale(16, 7, 50);             // no such channel: nothing
  EXPECT_EQ(s.out->sent.back(), "b0077f");
}

TEST(MidiSequencer, SeekingChasesProgramsAndControllersButNoNotes) {
  Sequencer s(Song());
  s.player.PlayFrom(2500);
  std::vector<std::string> expected = kAllNotesOff;
  expected.insert(expected.end(), {"c00500", "b00764"});
  EXPECT_EQ(s.out->sent, expected);
  EXPECT_EQ(s.player.PlayTime(), 2500);
  s.RunTo(3510);
  EXPECT_EQ(s.out->sent.back(), "804000");
}

TEST(MidiSequencer, PlayingFromPastTheEndStartsAgainFromTheBeginning) {
  Sequencer s(Song());
  s.player.PlayFrom(2500);
  s.out->sent.clear();
  s.player.PlayFrom(30000);
  EXPECT_EQ(s.out->sent, kAllNotesOff);
  EXPECT_EQ(s.player.PlayTime(), 0);
  s.clock.now += 10;
  s.player.TimerStep();
  EXPECT_EQ(s.out->sent.back(), "903c64");
}

TEST(MidiSequencer, ResumingAPauseSendsNothingAgain) {
  Sequencer s(Song());
  s.player.PlayFrom(0);
  s.RunTo(5000);
  s.player.Stop();
  EXPECT_FALSE(s.player.IsRunning());
  int32_t paused_at = s.player.PlayTime();
  EXPECT_EQ(paused_at, 5000);
  s.out->sent.clear();
  s.clock.now += 60000;
  s.player.PlayFrom(paused_at);
  EXPECT_TRUE(s.out->sent.empty());
  s.RunTo(s.clock.now + 1000);
  EXPECT_TRUE(s.out->sent.empty());
  EXPECT_FALSE(s.player.IsEnd());
  s.RunTo(s.clock.now + 10);
  EXPECT_EQ(s.out->sent, (std::vector<std::string>{"804000"}));
  EXPECT_TRUE(s.player.IsEnd());
}

TEST(MidiSequencer, RepeatSilencesEveryChannelAndStartsOverInTheSameStep) {
  Sequencer s(FileOfMs({{0, B({0x90, 0x3C, 0x64})}, {100, B({0x80, 0x3C, 0x00})}, testing::EndOfTrack(100)}));
  s.player.SetRepeat(true);
  s.player.PlayFrom(0);
  s.RunTo(200);
  s.out->sent.clear();
  s.RunTo(210);
  EXPECT_EQ(s.out->sent, kAllNotesOff);
  EXPECT_EQ(s.player.PlayTime(), 0);
  EXPECT_FALSE(s.player.IsEnd());
  s.RunTo(220);
  EXPECT_EQ(s.out->sent.back(), "903c64");
}

TEST(MidiSequencer, CapsAStepAtOneSecondAndWaitsAfterAToneGeneratorReset) {
  Sequencer s(FileOfMs({{0, B({0xF0, 10, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7})},
                        {1500, B({0x90, 0x3C, 0x64})},
                        testing::EndOfTrack(1000)}));
  s.player.PlayFrom(100);
  EXPECT_EQ(s.sleeps, (std::vector<int>{10}));
  EXPECT_EQ(s.out->sent.back(), "f04110421240007f0041f7");
  s.clock.now += 5000;
  s.player.TimerStep();  // the clock jumped: only one second counts
  EXPECT_EQ(s.player.PlayTime(), 1100);
  s.player.SendMasterVolume();
  EXPECT_EQ(s.out->sent.back(), "f07f7f0401007ff7");
  s.player.Close();
  EXPECT_EQ(s.out->resets, 1);
  EXPECT_FALSE(s.player.DeviceOpen());
  EXPECT_FALSE(s.player.IsRunning());
}

TEST(MidiSequencer, TheTimerThreadPlaysOnItsOwn) {
  SteadyClock clock;
  TMidiPlayV player(clock, [](int) {}, true);
  std::string file = Song();
  player.Load({reinterpret_cast<const uint8_t*>(file.data()), file.size()});
  auto out = std::make_shared<RecordingOutput>();
  player.Open(out);
  player.PlayFrom(0);
  // The first event is due at once; wait for it however slow the machine.
  for (int i = 0; i < 500 && player.PlayTime() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  player.Stop();
  ASSERT_FALSE(out->sent.empty());
  EXPECT_EQ(out->sent.front(), "903c64");
}

}  // namespace
}  // namespace rivo

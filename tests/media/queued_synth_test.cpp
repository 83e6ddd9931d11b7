// The synthesiser of a device of its own thread: what the sequencer sends
// before it is made waits, and is played into it once, in order, when the
// mixer's worker finds it ready; later messages are played by the
// synthesiser's side before it renders; one that cannot be made leaves
// silence and no error.

#include <chrono>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "common/error.h"
#include "media/media_system.h"
#include "media/midi_fixtures.h"
#include "media/queued_synth.h"
#include "media/sound_fixtures.h"
#include "platform/headless/virtual_clock.h"

namespace rivo {
namespace {

// Notes what it is told, from any thread, and renders every sample as 1.
class RecordingSynth final : public MidiSynth {
 public:
  void ShortMessage(uint32_t packed) override { Note("short " + std::to_string(packed)); }
  void LongMessage(std::span<const uint8_t> bytes) override { Note("long " + std::string(bytes.begin(), bytes.end())); }
  void Reset() override { Note("reset"); }
  void MixInto(std::span<int32_t> acc) override {
    for (int32_t& s : acc) s += 1;
  }
  std::vector<std::string> Heard() {
    std::lock_guard lock(mutex_);
    return heard_;
  }

 private:
  void Note(std::string what) {
    std::lock_guard lock(mutex_);
    heard_.push_back(std::move(what));
  }
  std::mutex mutex_;
  std::vector<std::string> heard_;
};

constexpr uint8_t kSysex[] = {0xF0, 0x41, 0x10, 0xF7};
const std::string kSysexHeard = "long " + std::string(std::begin(kSysex), std::end(kSysex));

std::vector<int32_t> Render(QueuedSynth& queued) {
  std::vector<int32_t> acc(8, 0);
  queued.MixInto(acc);
  return acc;
}

TEST(QueuedSynth, WhatWasSentBeforeTheSynthesiserWasReadyIsPlayedIntoItOnceAndInOrder) {
  std::promise<std::shared_ptr<MidiSynth>> made;
  QueuedSynth queued(made.get_future());
  queued.ShortMessage(0x05C0);    // program 5
  queued.ShortMessage(0x5007B0);  // volume 80
  queued.LongMessage(kSysex);
  queued.ShortMessage(0x643C90);  // note on
  queued.DecodeAhead();           // not made yet: nothing happens
  EXPECT_EQ(Render(queued), std::vector<int32_t>(8, 0));

  auto synth = std::make_shared<RecordingSynth>();
  made.set_value(synth);
  queued.ShortMessage(0x3C80);  // ready, but not taken yet: it waits behind the others
  EXPECT_TRUE(synth->Heard().empty());
  EXPECT_EQ(Render(queued), std::vector<int32_t>(8, 0)) << "only the worker takes the synthesiser";

  queued.DecodeAhead();
  const std::vector<std::string> replayed = {"short " + std::to_string(0x05C0), "short " + std::to_string(0x5007B0),
                                             kSysexHeard, "short " + std::to_string(0x643C90),
                                             "short " + std::to_string(0x3C80)};
  EXPECT_EQ(synth->Heard(), replayed);
  queued.DecodeAhead();
  EXPECT_EQ(Render(queued), std::vector<int32_t>(8, 1));
  EXPECT_EQ(synth->Heard(), replayed) << "played once";
  // Later messages wait for the synthesiser's side too: the next render
  // plays them before its samples.
  queued.Reset();
  queued.ShortMessage(0x1234C1);
  EXPECT_EQ(synth->Heard(), replayed);
  EXPECT_EQ(Render(queued), std::vector<int32_t>(8, 1));
  std::vector<std::string> after = replayed;
  after.insert(after.end(), {"reset", "short " + std::to_string(0x1234C1)});
  EXPECT_EQ(synth->Heard(), after);
}

TEST(QueuedSynth, AResetWhileWaitingDropsWhatCameBeforeIt) {
  std::promise<std::shared_ptr<MidiSynth>> made;
  QueuedSynth queued(made.get_future());
  queued.ShortMessage(0x643C90);
  queued.LongMessage(kSysex);
  queued.Reset();
  queued.ShortMessage(0x644090);
  auto synth = std::make_shared<RecordingSynth>();
  made.set_value(synth);
  queued.DecodeAhead();
  EXPECT_EQ(synth->Heard(), (std::vector<std::string>{"reset", "short " + std::to_string(0x644090)}));
}

TEST(QueuedSynth, ASynthesiserThatCannotBeMadeLeavesSilenceAndNoError) {
  for (bool fails_by_error : {true, false}) {
    SCOPED_TRACE(fails_by_error ? "an error" : "nothing made");
    std::promise<std::shared_ptr<MidiSynth>> made;
    QueuedSynth queued(made.get_future());
    queued.ShortMessage(0x643C90);
    if (fails_by_error) made.set_exception(std::make_exception_ptr(RivoError("sound font cannot be loaded: x.sf2")));
    else made.set_value(nullptr);
    EXPECT_NO_THROW(queued.DecodeAhead());
    EXPECT_NO_THROW(queued.DecodeAhead());
    queued.ShortMessage(0x3C80);
    queued.LongMessage(kSysex);
    queued.Reset();
    EXPECT_EQ(Render(queued), std::vector<int32_t>(8, 0));
  }
}

// A device with a thread of its own, like a sound card: it pulls a block
// every millisecond while it has a source.
class ThreadDevice final : public AudioDevice {
 public:
  ThreadDevice() : puller_([this] { PullLoop(); }) {}
  ~ThreadDevice() override {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    puller_.join();
  }
  void SetSource(AudioSource* source) override {
    std::lock_guard lock(mutex_);
    source_ = source;
  }
  bool Audible() const override { return true; }
  AudioPull Pull() const override { return AudioPull::kOwnThread; }

 private:
  void PullLoop() {
    std::vector<int16_t> block(256 * 2);
    for (;;) {
      {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        if (source_) source_->Render(block);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  std::mutex mutex_;
  AudioSource* source_ = nullptr;
  bool stopping_ = false;
  std::thread puller_;
};

// What synth heard once it heard count messages; the mixer's worker looks
// every 10 ms, and a few seconds are plenty on a busy machine.
std::vector<std::string> HeardOnceItHeard(RecordingSynth& synth, std::size_t count) {
  std::vector<std::string> heard;
  for (int tries = 0; tries < 1000 && (heard = synth.Heard()).size() < count; ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return heard;
}

TEST(QueuedSynth, WithADeviceOfItsOwnThreadTheFirstTuneStartsWithoutWaitingForTheSynthesiser) {
  testing::GameFolder game;
  game.Put("a.mid", testing::MidiHeader(0, 1, 480) +
                        testing::MidiTrack({{0, testing::B({0x90, 60, 100})}, testing::EndOfTrack(480)}));
  for (bool made : {true, false}) {
    SCOPED_TRACE(made ? "made" : "never made");
    VirtualClock clock;  // stands still: nothing of the song is due yet
    ThreadDevice device;
    TMediaSystem media(game.Files(), device, clock, {.SoundFont = "/nonexistent.sf2"});
    std::promise<std::shared_ptr<MidiSynth>> ahead;
    media.Midi().PrepareSynth(ahead.get_future());
    TDMediaItem* a = media.Midi().Add("a.mid");
    a->Play();  // returns with the synthesiser not made: it does not wait
    a->SetVol(-5000);
    EXPECT_TRUE(a->IsPlaying());
    if (!made) {
      // Found by the worker now or never: either way silence, and the song goes on.
      ahead.set_exception(std::make_exception_ptr(RivoError("sound font cannot be loaded")));
      EXPECT_TRUE(a->IsPlaying());
      continue;
    }
    auto synth = std::make_shared<RecordingSynth>();
    ahead.set_value(synth);
    // The full master volume, the volume controller at 100 % then at 50 % on
    // every channel, in the order sent.
    constexpr char kMasterVolumeFull[] = {'\xF0', '\x7F', '\x7F', '\x04', '\x01', '\x00', '\x7F', '\xF7'};
    std::vector<std::string> expected = {"long " + std::string(kMasterVolumeFull, sizeof kMasterVolumeFull)};
    for (int percent : {127, 63})
      for (uint32_t channel = 0; channel < 16; ++channel)
        expected.push_back("short " + std::to_string((0xB0 + channel) | 7u << 8 | static_cast<uint32_t>(percent) << 16));
    EXPECT_EQ(HeardOnceItHeard(*synth, expected.size()), expected);
  }
}

}  // namespace
}  // namespace rivo

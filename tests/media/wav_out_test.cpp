// The wave output's block arithmetic, bit for bit, and its timing on an
// injected clock. The mixer is pulled by the test, so every block boundary
// is where the test puts it.

#include "media/wav_out.h"

#include <gtest/gtest.h>

#include "media/memory_pcm_stream.h"

namespace rivo {
namespace {

class FakeClock final : public Clock {
 public:
  uint64_t NowMs() override { return now; }
  uint64_t now = 1000;
};

struct Rig {
  explicit Rig(int32_t delay_ms = 100, AudioPull pull = AudioPull::kCallerThread)
      : mixer(pull), out(std::make_shared<TWavOut>(mixer, clock, delay_ms)) {}
  ~Rig() { out->Close(); }

  // A source of raw bytes in the given format, played at once.
  TWavBuffer* Source(const PcmFormat& format, std::string bytes) {
    sources.push_back(std::make_unique<MemoryPcmStream>(format, std::move(bytes)));
    TWavBuffer* b = out->AddBuffer(format, sources.back().get());
    b->Play();
    return b;
  }
  std::vector<int16_t> Pull(int frames) {
    std::vector<int16_t> s(static_cast<std::size_t>(frames) * 2);
    mixer.Render(s);
    return s;
  }

  FakeClock clock;
  AudioMixer mixer;
  std::shared_ptr<TWavOut> out;
  std::vector<std::unique_ptr<PcmStream>> sources;
};

std::string Bytes16(std::initializer_list<int16_t> samples) {
  std::string s;
  for (int16_t v : samples) s.append(reinterpret_cast<const char*>(&v), 2);
  return s;
}

TEST(WavOut, BlockLengthFollowsTheDelay) {
  for (auto [delay, bytes] : {std::pair{500, 88200}, {100, 17640}, {300, 52920}}) {
    Rig rig(delay);
    EXPECT_EQ(rig.out->BufferBytes(), bytes) << delay;
  }
}

TEST(WavOut, AtMostTwoBlocksWaitAtTheDevice) {
  Rig rig(500);
  ASSERT_TRUE(rig.out->Open());
  rig.Source(kMixFormat, std::string(88200 * 5, '\x10'));
  for (int i = 0; i < 4; ++i) rig.out->Pump();
  EXPECT_EQ(rig.out->QueuedBlocks(), 2u);
  // A whole block heard makes room for exactly one more.
  rig.Pull(22050);
  rig.out->Pump();
  EXPECT_EQ(rig.out->QueuedBlocks(), 2u);
}

TEST(WavOut, TheSixFormatsBecomeSixteenBitStereo) {
  struct Case {
    PcmFormat format;
    std::string bytes;
    std::vector<int16_t> expected;  // the first output samples
  };
  const Case cases[] = {
      {PcmFormat::Make(2, 44100, 16), Bytes16({100, -200, 300, -400}), {100, -200, 300, -400}},
      {PcmFormat::Make(1, 44100, 16), Bytes16({100, -200}), {100, 100, -200, -200}},
      {PcmFormat::Make(2, 22050, 16), Bytes16({100, -200, 300, -400}), {100, -200, 100, -200, 300, -400, 300, -400}},
      {PcmFormat::Make(2, 44100, 8), std::string("\x80\x81\x7f\x00", 4), {0, 256, -256, -32768}},
      {PcmFormat::Make(1, 44100, 8), std::string("\x81\x7f", 2), {256, 256, -256, -256}},
      {PcmFormat::Make(2, 22050, 8), std::string("\x81\x7f", 2), {256, -256, 256, -256}},
      {PcmFormat::Make(1, 22050, 16), Bytes16({7, -7}), {7, 7, 7, 7, -7, -7, -7, -7}},
      {PcmFormat::Make(1, 22050, 8), std::string("\x90", 1), {16 * 256, 16 * 256, 16 * 256, 16 * 256}},
  };
  for (const Case& c : cases) {
    Rig rig;
    ASSERT_TRUE(rig.out->Open());
    rig.Source(c.format, c.bytes);
    std::vector<int16_t> got = rig.Pull(16);
    got.resize(c.expected.size());
    EXPECT_EQ(got, c.expected) << c.format.Channels << "ch " << c.format.SamplesPerSec << " Hz " << c.format.BitsPerSample << " bit";
  }
}

TEST(WavOut, EightBitMonoAtHalfRateMakesFourSamplesOfEachByte) {
  Rig rig;
  ASSERT_TRUE(rig.out->Open());
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  rig.Source(PcmFormat::Make(1, 22050, 8), bytes);
  std::vector<int16_t> got = rig.Pull(512);
  for (int b = 0; b < 256; ++b)
    for (int k = 0; k < 4; ++k) ASSERT_EQ(got[static_cast<std::size_t>(b * 4 + k)], (b - 128) * 256) << b;
}

TEST(WavOut, VolumeShiftsArithmeticallyAndZeroStillAdvances) {
  Rig rig;
  ASSERT_TRUE(rig.out->Open());
  TWavBuffer* half = rig.Source(kMixFormat, Bytes16({-1, 1, -32768, 32767, 255, -255}));
  half->SetVolume(128);
  EXPECT_EQ(rig.Pull(3), (std::vector<int16_t>{-1, 0, -16384, 16383, 127, -128}));

  Rig silent;
  ASSERT_TRUE(silent.out->Open());
  TWavBuffer* zero = silent.Source(kMixFormat, Bytes16({1000, 1000}));
  zero->SetVolume(0);
  EXPECT_EQ(silent.Pull(1), (std::vector<int16_t>{0, 0}));
  silent.clock.now += 211;
  EXPECT_TRUE(zero->IsEnd());
}

TEST(WavOut, VolumesOf255And256LeaveSamplesAlone) {
  for (int volume : {255, 256}) {
    Rig rig;
    ASSERT_TRUE(rig.out->Open());
    rig.Source(kMixFormat, Bytes16({-32768, 32767}))->SetVolume(volume);
    EXPECT_EQ(rig.Pull(1), (std::vector<int16_t>{-32768, 32767}));
  }
}

TEST(WavOut, FullScaleSourcesSaturateInsteadOfWrapping) {
  Rig rig;
  ASSERT_TRUE(rig.out->Open());
  rig.Source(kMixFormat, Bytes16({32767, -32768, 20000, -20000}));
  rig.Source(kMixFormat, Bytes16({32767, -32768, 20000, -20000}));
  EXPECT_EQ(rig.Pull(2), (std::vector<int16_t>{32767, -32768, 32767, -32768}));
}

TEST(WavOut, TheEndIsHeardTwoBlockLengthsAfterTheLastFill) {
  Rig rig(100);
  ASSERT_TRUE(rig.out->Open());
  TWavBuffer* b = rig.Source(kMixFormat, Bytes16({1, 1}));
  rig.Pull(1);  // the one fill, at 1000 ms
  EXPECT_FALSE(b->IsEnd());
  rig.clock.now = 1000 + 210;
  EXPECT_FALSE(b->IsEnd());
  rig.clock.now = 1000 + 211;
  EXPECT_TRUE(b->IsEnd());
}

TEST(WavOut, PositionHeardLagsOneBlockBehindTheFill) {
  Rig rig(100);
  ASSERT_TRUE(rig.out->Open());
  TWavBuffer* b = rig.Source(kMixFormat, std::string(176400, '\0'));
  rig.Pull(1);  // two blocks of 100 ms filled at 1000 ms: Position 35280
  EXPECT_EQ(b->GetPosition(), 35280 - 17640);
  rig.clock.now += 50;
  EXPECT_EQ(b->GetPosition(), 35280 - 17640 + 8820);
  rig.clock.now += 151;
  EXPECT_EQ(b->GetPosition(), 35280);
}

TEST(WavOut, LoopStartsAgainAtTheLoopPosition) {
  Rig rig;
  ASSERT_TRUE(rig.out->Open());
  TWavBuffer* b = rig.Source(kMixFormat, Bytes16({1, 1, 2, 2, 3, 3}));
  b->Looping = true;
  b->LoopStart = 4;
  EXPECT_EQ(rig.Pull(6), (std::vector<int16_t>{1, 1, 2, 2, 3, 3, 2, 2, 3, 3, 2, 2}));
}

TEST(WavOut, LoopStartPastTheEndOrMidFrameNeitherSpinsNorSplitsSamples) {
  for (int32_t loop_start : {12, 1000, 5}) {
    Rig rig;
    ASSERT_TRUE(rig.out->Open());
    TWavBuffer* b = rig.Source(kMixFormat, Bytes16({1, 1, 2, 2, 3, 3}));
    b->Looping = true;
    b->LoopStart = loop_start;
    std::vector<int16_t> got = rig.Pull(5);
    // 5 rounds down to frame 1; past the end means the last frame.
    std::vector<int16_t> expected = loop_start == 5 ? std::vector<int16_t>{1, 1, 2, 2, 3, 3, 2, 2, 3, 3}
                                                    : std::vector<int16_t>{1, 1, 2, 2, 3, 3, 3, 3, 3, 3};
    EXPECT_EQ(got, expected) << loop_start;
  }
}

TEST(WavOut, PositionPastTheEndReadsNothingAndEnds) {
  Rig rig(100);
  ASSERT_TRUE(rig.out->Open());
  TWavBuffer* b = rig.Source(kMixFormat, Bytes16({5, 5}));
  b->SetPosition(400);
  EXPECT_EQ(rig.Pull(1), (std::vector<int16_t>{0, 0}));
  EXPECT_TRUE(b->IsEnd()) << "no fill has ever produced samples, so nothing is left to be heard";
}

TEST(WavOut, AFormatOutsideTheSixIsNeitherReadNorMixed) {
  Rig rig;
  ASSERT_TRUE(rig.out->Open());
  rig.Source(PcmFormat::Make(2, 48000, 16), Bytes16({5, 5}));
  EXPECT_EQ(rig.Pull(1), (std::vector<int16_t>{0, 0}));
}

TEST(WavOut, ASourceNeverStartedIsNotHeard) {
  Rig rig;
  ASSERT_TRUE(rig.out->Open());
  rig.Source(kMixFormat, Bytes16({5, 5}));
  auto quiet = std::make_unique<MemoryPcmStream>(kMixFormat, Bytes16({7, 7}));
  rig.out->AddBuffer(kMixFormat, quiet.get());
  EXPECT_EQ(rig.Pull(1), (std::vector<int16_t>{5, 5}));
  rig.out->Close();
}

TEST(WavOut, WithoutADeviceNothingPlaysAndEveryBufferHasEnded) {
  Rig rig(100, AudioPull::kNone);
  EXPECT_FALSE(rig.out->Open());
  TWavBuffer* b = rig.Source(kMixFormat, Bytes16({5, 5}));
  EXPECT_FALSE(b->Started());
  EXPECT_TRUE(b->IsEnd());
}

TEST(WavOut, OpeningTwiceChangesNothing) {
  Rig rig;
  EXPECT_TRUE(rig.out->Open());
  EXPECT_FALSE(rig.out->Open());
}

}  // namespace
}  // namespace rivo

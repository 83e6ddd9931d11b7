// The --audio-out recording: a WAVE file streamed to disk whose header is
// right however many bytes came, and the device that records what the
// player's own device pulls, silence included, so the file keeps time.

#include "media/wav_recorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/byte_reader.h"
#include "media/recording_audio_device.h"
#include "media/wav_writer.h"
#include "platform/headless/null_audio_device.h"
#include "platform/private_temp_folder.h"

namespace rivo {
namespace {

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

uint32_t U32At(const std::string& bytes, std::size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(bytes.at(at + static_cast<std::size_t>(i)));
  return v;
}

TEST(WavRecorder, TheFinishedFileIsWhatTheWholeFileWriterMakesForTheSameBytes) {
  // Sizes that need a pad byte, whole frames, and none at all.
  struct Case {
    PcmFormat format;
    std::vector<std::string> pieces;
  };
  const Case cases[] = {
      {PcmFormat::Make(1, 8000, 8), {"abc", "de"}},         // 5 bytes: a pad byte follows
      {PcmFormat::Make(1, 8000, 8), {"x"}},
      {kMixFormat, {std::string(4 * 3, '\x11'), std::string(4 * 1024, '\x7f')}},
      {kMixFormat, {}},
  };
  PrivateTempFolder temp;
  for (const Case& c : cases) {
    const std::filesystem::path file = temp.Path() / "out.wav";
    std::string all;
    {
      WavRecorder recorder(file, c.format);
      for (const std::string& piece : c.pieces) recorder.Append(piece), all += piece;
      EXPECT_EQ(recorder.DataBytes(), all.size());
    }  // the destructor finishes the file
    const std::string bytes = ReadFile(file);
    SCOPED_TRACE(all.size());
    EXPECT_EQ(bytes, WavFileBytes(c.format, all));
    EXPECT_EQ(bytes.size() % 2, 0u);
    EXPECT_EQ(U32At(bytes, 4), bytes.size() - 8);  // the RIFF size counts the pad byte
    EXPECT_EQ(U32At(bytes, 40), all.size());       // the data size does not
    EXPECT_EQ(U32At(bytes, 24), c.format.SamplesPerSec);
  }
}

TEST(WavRecorder, SamplesAreStoredLittleEndianAndTheCapKeepsWholeFrames) {
  PrivateTempFolder temp;
  const std::filesystem::path file = temp.Path() / "capped.wav";
  WavRecorder recorder(file, kMixFormat, 10);  // rounded down to two frames of four bytes
  const int16_t samples[] = {1, -2, 0x1234, -32768, 7, 7};
  recorder.AppendSamples(samples);
  EXPECT_TRUE(recorder.Truncated());
  EXPECT_EQ(recorder.DataBytes(), 8u);
  EXPECT_TRUE(recorder.Finish());
  EXPECT_TRUE(recorder.Finish());  // once finished, stays finished
  const std::string bytes = ReadFile(file);
  EXPECT_EQ(bytes.substr(44), std::string("\x01\x00\xfe\xff\x34\x12\x00\x80", 8));
  EXPECT_EQ(U32At(bytes, 40), 8u);
  // The largest a 32-bit RIFF size can describe, in whole frames.
  EXPECT_EQ(WavRecorder::MaxDataBytes(kMixFormat) % 4, 0u);
  EXPECT_LE(uint64_t{WavRecorder::MaxDataBytes(kMixFormat)} + 36 + 1, uint64_t{UINT32_MAX});
}

TEST(WavRecorder, AFileThatCannotBeCreatedIsAnErrorThatNamesIt) {
  PrivateTempFolder temp;
  for (const std::filesystem::path& bad : {temp.Path() / "no" / "such" / "folder.wav", temp.Path()}) {
    try {
      WavRecorder recorder(bad, kMixFormat);
      ADD_FAILURE() << bad << " was opened";
    } catch (const WavRecorderError& e) {
      EXPECT_THAT(e.what(), ::testing::HasSubstr("cannot write the sound to " + bad.string() + ": "));
    }
  }
}

// A source that plays one value everywhere.
class Level final : public AudioSource {
 public:
  explicit Level(int16_t value) : value_(value) {}
  void Render(std::span<int16_t> out) override { std::fill(out.begin(), out.end(), value_); }

 private:
  int16_t value_;
};

TEST(RecordingAudioDevice, RecordsWhatTheDeviceIsAskedForAndSilenceWhereThereIsNoSource) {
  PrivateTempFolder temp;
  const std::filesystem::path file = temp.Path() / "rec.wav";
  VirtualClock clock;
  Level level(1000);
  {
    WavRecorder recorder(file, kMixFormat);
    auto null_device = std::make_unique<NullAudioDevice>(clock);
    NullAudioDevice& inner = *null_device;
    RecordingAudioDevice device(std::move(null_device), recorder);
    EXPECT_EQ(device.Pull(), AudioPull::kCallerThread);
    EXPECT_FALSE(device.Audible());
    EXPECT_TRUE(inner.Discards());
    EXPECT_FALSE(device.Discards()) << "the file keeps what the null device throws away";
    clock.AdvanceTo(10);  // 441 frames before any source
    device.SetSource(&level);
    clock.AdvanceTo(30);  // 882 frames of the source
    device.SetSource(nullptr);
    clock.AdvanceTo(40);  // 441 more of silence
    EXPECT_EQ(inner.FramesPulled(), 1764u);
  }
  const std::string bytes = ReadFile(file);
  ASSERT_EQ(bytes.size(), 44u + 1764 * 4);
  ByteReader r(std::string_view(bytes).substr(44), "rec.wav");
  std::vector<int16_t> left;
  for (int i = 0; i < 1764; ++i) left.push_back(r.I16()), r.I16();
  EXPECT_EQ(std::count(left.begin(), left.begin() + 441, 0), 441);
  EXPECT_EQ(std::count(left.begin() + 441, left.begin() + 1323, 1000), 882);
  EXPECT_EQ(std::count(left.begin() + 1323, left.end(), 0), 441);
}

}  // namespace
}  // namespace rivo

// The sound path, each beside a plain reference in the same run:
//   Mix32Voices    one second of 32 voices through the mixer (decoded PCM in
//                  memory, each at its own volume) beside PlainSum32, the
//                  same samples summed by a plain loop and clamped
//   Mix32Streamed  the same voices when their sound is not held in memory
//                  whole (as Ogg and WAV files are played): decoded ahead
//                  into the voices' buffers, then mixed
//   OggDecode      one minute of 44.1 kHz stereo Ogg Vorbis decoded by
//                  libvorbisfile through our stream (reported as × real time)
// At the end the ratio of the mixer to the plain loop is printed.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/timed_reporter.h"
#include "content/memory_stream.h"
#include "media/audio_mixer.h"
#include "media/memory_pcm_stream.h"
#include "media/voice.h"
#include "media/vorbis_pcm_stream.h"
#include "platform/private_temp_folder.h"

namespace {

using namespace rivo;

constexpr int kVoices = 32;
constexpr int kFrames = 44100;
constexpr int kPull = 1024;

std::vector<std::string> Sources() {
  std::vector<std::string> sources;
  uint32_t state = 1;
  for (int v = 0; v < kVoices; ++v) {
    std::string pcm(kFrames * 4, '\0');
    auto* s = reinterpret_cast<int16_t*>(pcm.data());
    for (int i = 0; i < kFrames * 2; ++i) {
      state = state * 1664525 + 1013904223;
      s[i] = static_cast<int16_t>(state >> 20);  // small values, as many voices at once are
    }
    sources.push_back(std::move(pcm));
  }
  return sources;
}

void BM_Mix32Voices(benchmark::State& state) {
  const std::vector<std::string> sources = Sources();
  AudioMixer mixer(AudioPull::kCallerThread);
  for (int v = 0; v < kVoices; ++v) {
    auto voice = std::make_shared<Voice>(std::make_unique<MemoryPcmStream>(kMixFormat, sources[static_cast<std::size_t>(v)]), true);
    voice->SetVolume(-100 * v, 0);
    voice->SetLoop(true, 0);  // each iteration mixes the next second
    voice->Play();
    mixer.Add(voice);
  }
  std::vector<int16_t> out(kPull * 2);
  for (auto _ : state) {
    for (int done = 0; done < kFrames; done += kPull) {
      mixer.Render(out);
      benchmark::DoNotOptimize(out.data());
    }
  }
}
BENCHMARK(BM_Mix32Voices)->Unit(benchmark::kMicrosecond);

// PCM in memory that does not offer itself for reading in place, so the
// voice decodes it ahead like any streamed sound.
class StreamedPcm final : public PcmStream {
 public:
  explicit StreamedPcm(const std::string& bytes) : memory_(kMixFormat, bytes) {}
  const PcmFormat& Format() const override { return memory_.Format(); }
  int64_t Read(void* buffer, int64_t count) override { return memory_.Read(buffer, count); }
  int64_t Seek(int64_t offset, SeekOrigin origin) override { return memory_.Seek(offset, origin); }
  int64_t GetSize() override { return memory_.GetSize(); }

 private:
  MemoryPcmStream memory_;
};

void BM_Mix32Streamed(benchmark::State& state) {
  const std::vector<std::string> sources = Sources();
  AudioMixer mixer(AudioPull::kCallerThread);
  for (int v = 0; v < kVoices; ++v) {
    auto voice = std::make_shared<Voice>(std::make_unique<StreamedPcm>(sources[static_cast<std::size_t>(v)]), true);
    voice->SetVolume(-100 * v, 0);
    voice->SetLoop(true, 0);
    voice->Play();
    mixer.Add(voice);
  }
  std::vector<int16_t> out(kPull * 2);
  for (auto _ : state) {
    for (int done = 0; done < kFrames; done += kPull) {
      mixer.Render(out);
      benchmark::DoNotOptimize(out.data());
    }
  }
}
BENCHMARK(BM_Mix32Streamed)->Unit(benchmark::kMicrosecond);

void BM_PlainSum32(benchmark::State& state) {
  const std::vector<std::string> sources = Sources();
  std::vector<int32_t> acc(kPull * 2);
  std::vector<int16_t> out(kPull * 2);
  for (auto _ : state) {
    for (int done = 0; done < kFrames; done += kPull) {
      std::fill(acc.begin(), acc.end(), 0);
      int n = std::min(kPull, kFrames - done) * 2;
      for (const std::string& src : sources) {
        const auto* s = reinterpret_cast<const int16_t*>(src.data()) + done * 2;
        for (int i = 0; i < n; ++i) acc[static_cast<std::size_t>(i)] += s[i];
      }
      for (int i = 0; i < n; ++i) out[static_cast<std::size_t>(i)] = static_cast<int16_t>(std::clamp(acc[static_cast<std::size_t>(i)], -32768, 32767));
      benchmark::DoNotOptimize(out.data());
    }
  }
}
BENCHMARK(BM_PlainSum32)->Unit(benchmark::kMicrosecond);

// One minute of Ogg made by the ffmpeg command; none without it.
std::string MinuteOfOgg() {
  PrivateTempFolder temp;
  const std::string path = (temp.Path() / "minute.ogg").string();
  const std::string command = "ffmpeg -loglevel error -y -f lavfi -i sine=f=440:d=60 -f lavfi -i sine=f=660:d=60 "
                              "-filter_complex amerge -ac 2 -c:a libvorbis -q:a 5 " + path;
  if (std::system(command.c_str()) != 0) return {};
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void BM_OggDecode(benchmark::State& state) {
  static const std::string ogg = MinuteOfOgg();
  if (ogg.empty()) {
    state.SkipWithError("the ffmpeg command is needed to make the Ogg file");
    return;
  }
  std::vector<char> buffer(65536);
  double seconds = 0;
  for (auto _ : state) {
    VorbisPcmStream stream(std::make_unique<TQnMemoryStream>(ogg));
    while (stream.Read(buffer.data(), static_cast<int64_t>(buffer.size())) > 0) {
    }
    seconds += static_cast<double>(stream.GetSize()) / 176400.0;
  }
  state.counters["x_realtime"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OggDecode)->Unit(benchmark::kMillisecond);

class RatioReporter : public bench::TimedReporter {
 public:
  void Finalize() override {
    ConsoleReporter::Finalize();
    auto plain = times_.find("BM_PlainSum32");
    if (plain == times_.end()) return;
    if (auto ours = times_.find("BM_Mix32Voices"); ours != times_.end())
      std::printf("\nmixer / plain sum of 32 voices: %.2f\n", ours->second / plain->second);
    if (auto ours = times_.find("BM_Mix32Streamed"); ours != times_.end())
      std::printf("mixer / plain sum of 32 streamed voices: %.2f\n", ours->second / plain->second);
  }
};

}  // namespace

int main(int argc, char** argv) { return rivo::bench::RunBenchmarks<RatioReporter>(argc, argv); }

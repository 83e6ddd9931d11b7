// MIDI music, reported against real time:
//   ParseMidi1000  1,000 Standard MIDI Files of four tracks (about 2,000
//                  events each) read and timed by the sequencer's reader
//   RenderBusySong one minute of a busy song (16 channels, a chord every
//                  125 ms, controllers and pitch bends between) sequenced
//                  in 10 ms steps into FluidSynth with TimGM6mb, as the
//                  player's pull renders it (× real time)

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "media/audio_mixer.h"
#include "media/fluid_synth_output.h"
#include "media/midi_play_v.h"
#include "media/midi_v.h"

namespace {

using namespace rivo;

std::string Vlq(uint32_t v) {
  std::string out(1, static_cast<char>(v & 0x7F));
  while (v >>= 7) out.insert(out.begin(), static_cast<char>(0x80 | (v & 0x7F)));
  return out;
}

std::string Be(uint32_t v, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(v >> (8 * i));
  return out;
}

// A format-1 file of `tracks` tracks: each plays `chords` chords of three
// notes on its own channels, 60 ticks apart (125 ms at 480 per quarter),
// with a controller and a pitch bend between notes.
std::string Song(int tracks, int chords, uint32_t seed) {
  std::string file = "MThd" + Be(6, 4) + Be(1, 2) + Be(static_cast<uint32_t>(tracks), 2) + Be(480, 2);
  for (int t = 0; t < tracks; ++t) {
    std::string body;
    const int channel = t % 16;
    body += Vlq(0) + std::string{static_cast<char>(0xC0 | channel), static_cast<char>(seed % 128)};
    for (int c = 0; c < chords; ++c) {
      seed = seed * 1664525 + 1013904223;
      const char note = static_cast<char>(48 + (seed >> 24) % 24);
      for (int k = 0; k < 3; ++k) body += Vlq(0) + std::string{static_cast<char>(0x90 | channel), static_cast<char>(note + 4 * k), 90};
      body += Vlq(20) + std::string{static_cast<char>(0xB0 | channel), 7, static_cast<char>(80 + c % 40)};
      body += Vlq(20) + std::string{static_cast<char>(0xE0 | channel), 0, static_cast<char>(64 + c % 8)};
      body += Vlq(20);
      for (int k = 0; k < 3; ++k) body += (k ? Vlq(0) : "") + std::string{static_cast<char>(0x80 | channel), static_cast<char>(note + 4 * k), 0};
    }
    body += Vlq(0) + std::string{'\xFF', '\x2F', '\0'};
    file += "MTrk" + Be(static_cast<uint32_t>(body.size()), 4) + body;
  }
  return file;
}

void BM_ParseMidi1000(benchmark::State& state) {
  std::vector<std::string> files;
  for (uint32_t i = 0; i < 1000; ++i) files.push_back(Song(4, 60, i));
  for (auto _ : state) {
    for (const std::string& f : files) {
      TMidiV midi;
      midi.Load({reinterpret_cast<const uint8_t*>(f.data()), f.size()});
      benchmark::DoNotOptimize(midi.Length);
    }
  }
  state.counters["files_per_s"] = benchmark::Counter(1000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ParseMidi1000)->Unit(benchmark::kMillisecond);

struct StepClock final : Clock {
  uint64_t now = 0;
  uint64_t NowMs() override { return now; }
};

void BM_RenderBusySong(benchmark::State& state) {
  const std::filesystem::path font = ChooseSoundFont({});
  if (font.empty()) {
    state.SkipWithError("no General MIDI sound font is installed");
    return;
  }
  const std::string song = Song(16, 480, 7);  // 480 chords of 125 ms: one minute
  auto synth = std::make_shared<FluidSynthOutput>(font);
  std::vector<int32_t> acc(441 * 2);
  double seconds = 0;
  for (auto _ : state) {
    StepClock clock;
    TMidiPlayV player(clock, [](int) {}, false);
    player.Load({reinterpret_cast<const uint8_t*>(song.data()), song.size()});
    player.Open(synth);
    player.PlayFrom(0);
    for (int step = 0; step < 6000; ++step) {
      clock.now += TMidiPlayV::kIntervalMs;
      player.TimerStep();
      std::fill(acc.begin(), acc.end(), 0);
      synth->MixInto(acc);
      benchmark::DoNotOptimize(acc.data());
    }
    player.Close();
    seconds += 60;
  }
  state.counters["x_realtime"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderBusySong)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// A game save and its load, for a game of 1,000 variables, 200 objects on
// the screen and 10 frames on the call stack: the entry built in memory,
// the entry read back into the running game (checked whole into scratch
// parts first, then loaded), and the whole save file written to the disk
// (replaced and flushed). The peer is zlib compressing the entry's bytes
// at level 1, as the archive writer does. A save runs at the end of a
// frame tick, so it must stay far inside one tick (15 ms).

#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "bench/timed_reporter.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_box.h"
#include "bench/bench_host.h"
#include "scenario/call_man.h"
#include "scenario/empty_history.h"
#include "scenario/game_save.h"
#include "scenario/page.h"
#include "scenario/page_source.h"
#include "scenario/save_file.h"
#include "scenario/scenario_system_services.h"
#include "script/db_manager.h"
#include "script/param_collection.h"

namespace {

using namespace rivo;

using bench::BenchHost;

// The running game: f0.rsb calls f1.rsb ... f9.rsb calls f10.rsb, which
// waits; the variables are of every kind, a tenth of them arrays.
struct Game {
  BenchHost host;
  ScenarioSystemServices services;
  TParamCollection variables{&services};
  TDBManager tables;
  TRivoBaseList screen;
  EmptyHistory history;
  std::unique_ptr<TCallMan> calls;

  Game() {
    for (int i = 0; i <= 10; ++i) {
      const std::string name = "f" + std::to_string(i) + ".rsb";
      const std::string source = i < 10 ? "Call f" + std::to_string(i + 1) + ".rsb\n  . cond TRUE\n  . args " +
                                               std::to_string(i) + "\n"
                                         : "Wait TRUE\n  . time 100000\n";
      TPage page;
      AssemblePage(source, page, name, nullptr);
      host.files[name] = page.SaveToBytes();
    }
    screen.SetWidth(640);
    screen.SetHeight(480);
    for (int i = 0; i < 1000; ++i) {
      const uint8_t kind = static_cast<uint8_t>(PT_INT + i % 4);
      TParamCollectionItem& item = variables.AddVariable(kind);
      variables.SetName(item, "v" + std::to_string(i));
      if (i % 10 == 0) item.Param().SetDims(std::vector<int32_t>{4, 4});
      else item.Param().SetStr(std::to_string(i * 7));
    }
    for (int i = 0; i < 200; ++i) {
      TRivoBox& box = screen.Create<TRivoBox>();
      box.SetParent(&screen.BaseAt(i % 2));
      box.SetLeft(i);
    }
    calls = std::make_unique<TCallMan>(host, &variables, screen);
    calls->JumpTo("f0.rsb");
    calls->Step();
    if (calls->CallStack().Count() != 10) std::abort();
  }
  GameSaveParts Parts() { return {screen, history, *calls, &variables, &tables}; }
};

Game& TheGame() {
  static Game game;
  return game;
}

void BM_WriteEntry(benchmark::State& state) {
  Game& g = TheGame();
  std::size_t bytes = 0;
  for (auto _ : state) bytes = WriteGameSave({}, g.Parts()).size();
  state.counters["entry_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteEntry)->Unit(benchmark::kMillisecond);

void BM_LoadEntry(benchmark::State& state) {
  Game& g = TheGame();
  const std::string entry = WriteGameSave({}, g.Parts());
  for (auto _ : state) LoadGameSave(entry, CheckGameSave(entry, g.Parts()), g.Parts());
  if (g.calls->CallStack().Count() != 10 || g.screen.ObjectCount() < 200) state.SkipWithError("the load lost parts");
}
BENCHMARK(BM_LoadEntry)->Unit(benchmark::kMillisecond);

void BM_SaveFile(benchmark::State& state) {
  Game& g = TheGame();
  const std::string entry = WriteGameSave({}, g.Parts());
  const auto folder = std::filesystem::temp_directory_path() / ("bench_game_save." + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  SaveFile file(folder / "save.dat");
  for (auto _ : state) file.Put("GAMESAVEDATA1", entry);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);

void BM_Zlib(benchmark::State& state) {
  const std::string entry = WriteGameSave({}, TheGame().Parts());
  std::string out(compressBound(entry.size()), '\0');
  for (auto _ : state) {
    uLongf size = out.size();
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(entry.data()),
              entry.size(), 1);
    benchmark::DoNotOptimize(size);
  }
}
BENCHMARK(BM_Zlib)->Unit(benchmark::kMillisecond);

// Processor time: the machine is shared, and the file's flush waits for
// the disk rather than working (its wall time is in the table above).
class RatioReporter : public bench::TimedReporter {
 public:
  RatioReporter() : TimedReporter(Clock::kCpu) {}
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::vector<Pair> pairs;
    for (const char* name : {"WriteEntry", "LoadEntry", "SaveFile"})
      pairs.push_back({name, std::string("BM_") + name, "BM_Zlib"});
    PrintRatios("cpu", "zlib", pairs, "ms");
  }
};

}  // namespace

int main(int argc, char** argv) { return rivo::bench::RunBenchmarks<RatioReporter>(argc, argv); }

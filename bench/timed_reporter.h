#pragma once
// The console report of Google Benchmark that also keeps each benchmark's
// time by name, so a program can print our time beside its peer's at the end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace rivo::bench {

class TimedReporter : public benchmark::ConsoleReporter {
 public:
  // Processor time is steadier than wall time where builds share the machine.
  enum class Clock { kReal, kCpu };
  explicit TimedReporter(Clock clock = Clock::kReal) : clock_(clock) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      times_[run.benchmark_name()] = clock_ == Clock::kCpu ? run.GetAdjustedCPUTime() : run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }

 protected:
  // One row of the closing table: our benchmark and the peer's, by name.
  struct Pair {
    std::string label, ours, peer;
  };

  // The table of our time, the peer's and their ratio, a row for every pair
  // whose two benchmarks both ran. what heads the labels' column, peer names
  // the peer library, unit the times' unit as the benchmarks report it.
  void PrintRatios(const char* what, const char* peer, const std::vector<Pair>& pairs, const char* unit = "us") const {
    const std::string ours_head = std::string("ours (") + unit + ")", peer_head = std::string(peer) + " (" + unit + ")";
    std::printf("\n%-14s %12s %12s %8s\n", what, ours_head.c_str(), peer_head.c_str(), "ratio");
    for (const Pair& pair : pairs) {
      const auto ours = times_.find(pair.ours), theirs = times_.find(pair.peer);
      if (ours == times_.end() || theirs == times_.end() || theirs->second <= 0) continue;
      std::printf("%-14s %12.2f %12.2f %8.2f\n", pair.label.c_str(), ours->second, theirs->second,
                  ours->second / theirs->second);
    }
  }

  std::map<std::string, double> times_;

 private:
  Clock clock_;
};

// The whole main of a benchmark program that prints through Reporter.
template <typename Reporter>
int RunBenchmarks(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace rivo::bench

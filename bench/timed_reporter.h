#pragma once
// The console report of Google Benchmark that also keeps each benchmark's
// time by name, so a program can print our time beside its peer's at the end.

#include <benchmark/benchmark.h>

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

#pragma once
// The scenario benchmarks' host: pages come from a map of file names to
// bytes, the clock stands still at 16 ms a tick, and warnings are dropped.

#include <map>
#include <string>
#include <string_view>

#include "scenario/scenario_host.h"

namespace rivo::bench {

class BenchHost : public ScenarioHost {
 public:
  std::string ReadFile(std::string_view name) override { return files.at(std::string(name)); }
  bool FileExists(std::string_view name) override { return files.count(std::string(name)) != 0; }
  bool Terminating() const override { return false; }
  void SetTerminating(bool) override {}
  int32_t ElapsedMs() const override { return 0; }
  int32_t FrameDeltaMs() const override { return 16; }
  void Warn(std::string_view, std::string_view) override {}
  std::map<std::string, std::string> files;
};

}  // namespace rivo::bench

#pragma once
// Runs the built rivotool through the shell and collects what it prints.

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace rivo::testing {

struct ToolOutput {
  int code = -1;
  std::string out;
};

inline std::filesystem::path RivotoolPath() { return std::filesystem::path(RIVO_BIN_DIR) / "rivotool"; }

// args go through the shell as they stand (quote them); standard error is dropped.
inline ToolOutput RunRivotool(const std::string& args) {
  std::string command = "'" + RivotoolPath().string() + "' " + args + " 2>/dev/null";
  ToolOutput result;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  char buffer[256];
  while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) result.out.append(buffer, n);
  int status = pclose(pipe);
  result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace rivo::testing

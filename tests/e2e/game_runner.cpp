#include "e2e/game_runner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <sstream>

namespace rivo::e2e {

namespace fs = std::filesystem;

namespace {

std::string Quote(const fs::path& path) { return "'" + path.string() + "'"; }

}  // namespace

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string InputScript(const fs::path& scratch, const std::string& lines) {
  const fs::path file = scratch / "input.txt";
  std::ofstream(file) << lines;
  return "--input " + Quote(file);
}

bool PlayResult::HasVar(const std::string& name, const std::string& kind, const std::string& value) const {
  return vars.find("\"" + name + "\": {\"kind\": \"" + kind + "\", \"value\": " + value + "}") != std::string::npos;
}

int PlayResult::TraceIndex(const std::string& text) const {
  for (std::size_t i = 0; i < trace.size(); ++i)
    if (trace[i].find(text) != std::string::npos) return static_cast<int>(i);
  return -1;
}

Scratch::Scratch() {
  std::random_device random;
  path_ = fs::temp_directory_path() / ("rivo-e2e-" + std::to_string(getpid()) + "-" + std::to_string(random()));
  fs::create_directories(path_);
}

Scratch::~Scratch() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

int Execute(const std::string& command, std::string* out) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[4096];
  std::size_t n;
  std::string text;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
  if (out) *out = std::move(text);
  int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

fs::path BuildGame(const std::string& name, const fs::path& dir, bool pack) {
  return BuildSources(fs::path(RIVO_SOURCE_DIR) / "tests/e2e/games" / name, dir, pack);
}

fs::path BuildSources(const fs::path& source, const fs::path& dir, bool pack) {
  std::string output;
  int code = Execute(std::string(RIVO_BIN_DIR) + "/rivotool build " + Quote(source) + " " + Quote(dir) +
                         (pack ? " --pack" : "") + " 2>&1",
                     &output);
  EXPECT_EQ(code, 0) << output;
  return pack ? dir / "game.dat" : dir;
}

PlayResult Play(const fs::path& game, const std::string& options, const fs::path& scratch) {
  PlayResult run;
  fs::path trace = scratch / "trace.txt", vars = scratch / "vars.json", err = scratch / "stderr.txt";
  // A player that never ends is a failure, not a hung test run.
  std::string command = "timeout 60 " + std::string(RIVO_BIN_DIR) + "/rivoplay --headless --tick-ms 16 --trace " + Quote(trace) +
                        " --dump-vars " + Quote(vars) + " " + options + " " + Quote(game) + " 2>" + Quote(err);
  run.exit_code = Execute(command, &run.out);
  run.err = ReadAll(err);
  std::istringstream lines(ReadAll(trace));
  for (std::string line; std::getline(lines, line);) run.trace.push_back(line);
  run.vars = ReadAll(vars);
  return run;
}

}  // namespace rivo::e2e

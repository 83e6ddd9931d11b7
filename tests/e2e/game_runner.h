#pragma once
// Builds a game of tests/e2e/games with rivotool build and plays it with
// rivoplay --headless, keeping what the run left: exit code, output, the
// command trace and the variables.

#include <filesystem>
#include <string>
#include <vector>

namespace rivo::e2e {

struct PlayResult {
  int exit_code = -1;
  std::string out, err;
  std::vector<std::string> trace;
  std::string vars;  // the --dump-vars JSON

  // The line of one variable as --dump-vars writes it.
  bool HasVar(const std::string& name, const std::string& kind, const std::string& value) const;
  // The index of the first trace line holding text, or -1.
  int TraceIndex(const std::string& text) const;
};

// A fresh folder of its own for one test; removed afterwards.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadAll(const std::filesystem::path& path);
// Writes an input script into scratch and returns the --input option naming it.
std::string InputScript(const std::filesystem::path& scratch, const std::string& lines);

// Runs a program of the build and returns its exit code; its output goes to out.
int Execute(const std::string& command, std::string* out = nullptr);
// Builds the game sources in source into dir (with --pack when pack); the
// build must succeed. Returns what to play: dir, or its game.dat.
std::filesystem::path BuildSources(const std::filesystem::path& source, const std::filesystem::path& dir,
                                   bool pack = false);
// The same for tests/e2e/games/NAME.
std::filesystem::path BuildGame(const std::string& name, const std::filesystem::path& dir, bool pack = false);
// Plays game headless with extra options, tracing and dumping the variables.
PlayResult Play(const std::filesystem::path& game, const std::string& options, const std::filesystem::path& scratch);

}  // namespace rivo::e2e

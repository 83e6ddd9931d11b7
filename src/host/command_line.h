#pragma once
// The command line of rivoplay:  rivoplay [options] [GAME]...

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace rivo {

// Exit codes of the player.
constexpr int kExitNormal = 0;
constexpr int kExitUsage = 1;
constexpr int kExitAlreadyRunning = 2;
constexpr int kExitCannotStart = 3;

// An event queued by the command line before tick `tick` (for testing games
// before their objects can raise events): TARGET is "page.rsb[:label]".
struct ScheduledEvent {
  uint64_t tick = 0;
  std::string target;  // UTF-8
  std::vector<std::string> args;
};

struct PlayerOptions {
  std::vector<std::string> games;  // folders, game.dat files or .exe files; none: the current folder
  bool help = false;
  bool config = false;  // --config or "/config" first: show the settings instead of the game
  bool headless = false;
  std::optional<uint64_t> ticks;  // stop after this many ticks
  uint32_t tick_ms = 15;          // the virtual clock's tick (headless)
  std::optional<uint32_t> seed;   // seed of every random generator; from the clock when absent
  std::filesystem::path input;    // headless input script
  std::filesystem::path trace;    // the command trace
  std::filesystem::path dump_vars;
  std::filesystem::path dump_objects;
  std::filesystem::path screenshot;  // the last composed frame, at exit
  // Frames as shown after given ticks (headless): --screenshot-at TICK:FILE.
  std::vector<std::pair<uint64_t, std::filesystem::path>> screenshots_at;
  // Test switch: both bases are redrawn whole on every drawn frame.
  bool invalidate_all = false;
  bool full_screen = false;
  bool test_fonts = false;  // the fixed test rasteriser instead of the installed fonts
  int32_t scale = 1;
  std::vector<std::filesystem::path> disc_roots;  // folders searched like game discs
  std::filesystem::path save_dir;                 // where save.dat lives; empty: the default
  std::filesystem::path sound_font;               // the General MIDI font; empty: game.ini's or Debian's
  std::filesystem::path audio_out;                // a WAVE file of everything the sound device plays
  std::vector<ScheduledEvent> events;
};

class UsageError : public std::runtime_error {
 public:
  explicit UsageError(const std::string& what) : std::runtime_error(what) {}
};

// args excludes the program name. Throws UsageError.
PlayerOptions ParseCommandLine(std::span<const std::string> args);
std::string HelpText();

}  // namespace rivo

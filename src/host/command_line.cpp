#include "host/command_line.h"

#include <charconv>
#include <string_view>

#include "common/sjis.h"

namespace rivo {
namespace {

template <typename T>
T ParseNumber(std::string_view option, std::string_view text, T min, T max) {
  T value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < min || value > max)
    throw UsageError(std::string(option) + " needs a number from " + std::to_string(min) + " to " +
                     std::to_string(max) + ", not '" + std::string(text) + "'");
  return value;
}

// "N,TARGET[,ARG]..."
ScheduledEvent ParseEvent(std::string_view text) {
  ScheduledEvent event;
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t comma; (comma = text.find(',', start)) != std::string_view::npos; start = comma + 1)
    parts.emplace_back(text.substr(start, comma - start));
  parts.emplace_back(text.substr(start));
  if (parts.size() < 2 || parts[1].empty()) throw UsageError("--event needs TICK,TARGET[,ARG]...");
  event.tick = ParseNumber<uint64_t>("--event", parts[0], 1, UINT64_MAX);
  event.target = parts[1];
  event.args.assign(parts.begin() + 2, parts.end());
  return event;
}

// "TICK:FILE"; the file name may hold colons of its own.
std::pair<uint64_t, std::filesystem::path> ParseScreenshotAt(std::string_view text) {
  std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon + 1 == text.size())
    throw UsageError("--screenshot-at needs TICK:FILE");
  return {ParseNumber<uint64_t>("--screenshot-at", text.substr(0, colon), 1, UINT64_MAX),
          std::string(text.substr(colon + 1))};
}

}  // namespace

PlayerOptions ParseCommandLine(std::span<const std::string> args) {
  PlayerOptions o;
  std::size_t i = 0;
  // The settings switch of the original player, kept for its users' shortcuts.
  if (!args.empty() && sjis::SameText(args[0], "/config")) {
    o.config = true;
    ++i;
  }
  bool options_ended = false;
  for (; i < args.size(); ++i) {
    std::string_view arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      o.games.emplace_back(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    // "--name value" and "--name=value" are the same.
    std::string_view name = arg;
    std::optional<std::string_view> inline_value;
    if (std::size_t eq = arg.find('='); eq != std::string_view::npos) {
      name = arg.substr(0, eq);
      inline_value = arg.substr(eq + 1);
    }
    auto value = [&]() -> std::string_view {
      if (inline_value) return *inline_value;
      if (i + 1 >= args.size()) throw UsageError(std::string(name) + " needs a value");
      return args[++i];
    };
    auto no_value = [&] {
      if (inline_value) throw UsageError(std::string(name) + " takes no value");
    };
    if (name == "--help" || name == "-h") no_value(), o.help = true;
    else if (name == "--config") no_value(), o.config = true;
    else if (name == "--headless") no_value(), o.headless = true;
    else if (name == "--fullscreen") no_value(), o.full_screen = true;
    else if (name == "--test-fonts") no_value(), o.test_fonts = true;
    else if (name == "--ticks") o.ticks = ParseNumber<uint64_t>(name, value(), 0, UINT64_MAX);
    else if (name == "--tick-ms") o.tick_ms = ParseNumber<uint32_t>(name, value(), 1, 1000);
    else if (name == "--seed") o.seed = ParseNumber<uint32_t>(name, value(), 0, UINT32_MAX);
    else if (name == "--scale") o.scale = ParseNumber<int32_t>(name, value(), 1, 16);
    else if (name == "--input") o.input = std::string(value());
    else if (name == "--trace") o.trace = std::string(value());
    else if (name == "--dump-vars") o.dump_vars = std::string(value());
    else if (name == "--dump-objects") o.dump_objects = std::string(value());
    else if (name == "--screenshot") o.screenshot = std::string(value());
    else if (name == "--screenshot-at") o.screenshots_at.push_back(ParseScreenshotAt(value()));
    else if (name == "--invalidate-all") no_value(), o.invalidate_all = true;
    else if (name == "--disc-root") o.disc_roots.emplace_back(std::string(value()));
    else if (name == "--save-dir") o.save_dir = std::string(value());
    else if (name == "--soundfont") o.sound_font = std::string(value());
    else if (name == "--audio-out") {
      o.audio_out = std::string(value());
      if (o.audio_out.empty()) throw UsageError("--audio-out needs a file name");
    }
    else if (name == "--event") o.events.push_back(ParseEvent(value()));
    else throw UsageError("unknown option " + std::string(name));
  }
  if (!o.input.empty() && !o.headless) throw UsageError("--input needs --headless");
  if (!o.screenshots_at.empty() && !o.headless) throw UsageError("--screenshot-at needs --headless");
  return o;
}

std::string HelpText() {
  return "usage: rivoplay [options] [GAME]...\n"
         "  GAME: a game folder, a game.dat or a Windows .exe; several GAME folders\n"
         "  add their game.dat files; without GAME the current folder is played.\n"
         "\n"
         "options:\n"
         "  --headless            no window, no audio device, virtual clock\n"
         "  --ticks N             stop after N ticks (exit code 0)\n"
         "  --tick-ms MS          virtual tick interval (default 15)\n"
         "  --seed N              seed of every random generator\n"
         "  --input FILE          scripted input and message-box answers (headless;\n"
         "                        see docs/input-script.md)\n"
         "  --trace FILE          the command trace, one line per command\n"
         "  --dump-vars FILE      the variables at exit, as JSON\n"
         "  --dump-objects FILE   the objects and the event queue at exit, as JSON\n"
         "  --screenshot FILE     the last composed frame, as PNG\n"
         "  --screenshot-at TICK:FILE  the frame shown after tick TICK, as PNG\n"
         "                        (headless; repeatable)\n"
         "  --invalidate-all      redraw the whole screen on every frame (for tests\n"
         "                        of the changed-rectangle bookkeeping)\n"
         "  --disc-root DIR       a folder searched like a game disc (repeatable)\n"
         "  --save-dir DIR        where save.dat lives (default: the game folder, or\n"
         "                        $XDG_DATA_HOME/rivoplay/GAME when it is read-only)\n"
         "  --event N,TARGET[,ARG]...  queue an event for page TARGET (page.rsb or\n"
         "                        page.rsb:label) before tick N (repeatable)\n"
         "  --soundfont FILE      the General MIDI sound font (default: game.ini's\n"
         "                        [Sound] SoundFont, else Debian's TimGM6mb or FluidR3)\n"
         "  --audio-out FILE.wav  everything the sound device plays, as a 44,100 Hz\n"
         "                        16-bit stereo WAVE file (headless: in virtual time,\n"
         "                        the same for the same --seed and --input)\n"
         "  --test-fonts          draw text with the fixed test rasteriser instead of\n"
         "                        the installed fonts (frames alike on every machine)\n"
         "  --fullscreen          start in full screen\n"
         "  --scale N             window size multiplier (1-16)\n"
         "  --config, /config     show the sound settings of game.ini instead of playing\n"
         "  --help                this text\n"
         "\n"
         "exit codes: 0 normal end, 1 usage error, 2 another player runs on the same\n"
         "game, 3 the game could not start (or gave up: its disc never came, or a\n"
         "headless run's message box went unanswered).\n";
}

}  // namespace rivo

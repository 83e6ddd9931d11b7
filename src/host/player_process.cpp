#include "host/player_process.h"

#include <exception>
#include <memory>

#include "host/command_line.h"
#include "host/game_location.h"
#include "host/player.h"
#include "media/wav_recorder.h"
#include "platform/headless/headless_platform.h"
#include "platform/instance_lock.h"
#include "platform/memory_reuse.h"
#include "platform/static_data.h"
#include "platform/platform_error.h"
#include "platform/private_temp_folder.h"
#include "platform/sdl/sdl_platform.h"

namespace rivo {
namespace {

// The settings dialog comes later; until then --config shows what the
// player reads from "game.ini".
void PrintSettings(const GameLocation& game, std::ostream& out) {
  Settings s = LoadSettings(game.folder);
  out << "; settings of " << game.folder.string() << " as rivoplay reads them\n"
      << "[Sound]\nDirectSound=" << (s.UseDirectSound ? 1 : 0) << "\nDelayTime=" << s.SoundDelayMs
      << "\n[Video]\nUseWMP=" << (s.UseWmp ? 1 : 0) << "\n";
}

std::unique_ptr<Platform> MakePlatform(const PlayerOptions& options, std::ostream& out, std::ostream& err) {
  if (!options.headless) return CreateSdlPlatform(err);
  HeadlessOptions headless;
  headless.tick_ms = options.tick_ms;
  if (!options.input.empty()) headless.script = LoadInputScript(options.input);
  for (const auto& [tick, file] : options.screenshots_at)
    headless.script.push_back({.tick = tick, .what = ScriptScreenshot{file}});
  headless.out = &out;
  headless.log = &err;
  return std::make_unique<HeadlessPlatform>(std::move(headless));
}

}  // namespace

int RunPlayerProcess(std::span<const std::string> args, PlayerParts& parts, std::ostream& out, std::ostream& err) {
  KeepFreedMemoryForReuse();
  MapStaticDataIn();
  PlayerOptions options;
  try {
    options = ParseCommandLine(args);
  } catch (const UsageError& e) {
    err << "rivoplay: " << e.what() << "\n(rivoplay --help lists the options)\n";
    return kExitUsage;
  }
  if (options.help) {
    out << HelpText();
    return kExitNormal;
  }
  GameLocation game;
  try {
    game = LocateGame(options.games);
  } catch (const GameNotFound& e) {
    err << "rivoplay: " << e.what() << "\n";
    return kExitCannotStart;
  }
  try {
    // Held until the process ends: one player per game folder.
    std::unique_ptr<InstanceLock> lock = InstanceLock::TryAcquire(game.folder);
    if (!lock) {
      err << "rivoplay: another player is already playing " << game.folder.string() << "\n";
      return kExitAlreadyRunning;
    }
    if (options.config) {
      PrintSettings(game, out);
      return kExitNormal;
    }
    // Opened (and emptied) only by the player that holds the game.
    std::unique_ptr<WavRecorder> audio_out;
    try {
      if (!options.audio_out.empty()) audio_out = std::make_unique<WavRecorder>(options.audio_out, kMixFormat);
    } catch (const WavRecorderError& e) {
      err << "rivoplay: " << e.what() << "\n";
      return kExitUsage;
    }
    PrivateTempFolder temp;
    std::unique_ptr<Platform> platform;
    try {
      platform = MakePlatform(options, out, err);
    } catch (const PlatformError& e) {
      err << "rivoplay: " << e.what() << "\n";
      // A script that cannot be read is the caller's mistake; a missing display is the machine's.
      return options.headless ? kExitUsage : kExitCannotStart;
    }
    PlayerContext ctx;
    ctx.options = options;
    ctx.game = game;
    ctx.temp_folder = temp.Path();
    ctx.log = &err;
    ctx.audio_out = audio_out.get();
    Player player(*platform, parts, std::move(ctx));
    int code = player.Run();
    if (audio_out && !audio_out->Finish()) err << "rivoplay: a write to " << options.audio_out.string() << " failed\n";
    if (audio_out && audio_out->Truncated())
      err << "rivoplay: " << options.audio_out.string() << " holds the first " << audio_out->DataBytes()
          << " bytes of sound only (a WAVE file cannot hold more)\n";
    return code;
  } catch (const std::exception& e) {
    err << "rivoplay: " << e.what() << "\n";
    return kExitCannotStart;
  }
}

}  // namespace rivo

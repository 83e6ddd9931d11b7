#pragma once
// The state of one running player, shared by the host and the subsystems
// (there are no globals: a test makes a fresh player by making a fresh
// context). The capitalised fields carry the names the rest of the engine
// knows them by.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string_view>
#include <vector>

#include "host/command_line.h"
#include "host/game_location.h"
#include "host/settings.h"

namespace rivo {

class Platform;
class Window;
class AudioDevice;
class DisplayControl;
class TScreenManager;
class TRivoBaseList;
class WavRecorder;

struct PlayerContext {
  // Stopping, or failed to start: the tick ends after the interpreter step,
  // the interpreter stops its loop, and start-up closes the player.
  bool Terminating = false;
  // Game time: the sum of all accepted tick intervals.
  int32_t ElapsedMs = 0;
  // This tick's interval; every countdown subtracts it.
  int32_t FrameDeltaMs = 0;
  // The clock at the last accepted tick (reset on activation).
  uint64_t LastTickTime = 0;
  // Ticks that got past the object update.
  int32_t UpdateCount = 0;
  // A frame is composed on every FrameDivider-th eligible tick.
  int32_t FrameDivider = 1;
  // The nominal frame period (read by the particle control).
  int32_t FramePeriodMs = 16;
  // Paths deleted when the player ends.
  std::vector<std::filesystem::path> TempFilesToDelete;

  // The window's state: input and ticks are accepted only while Active;
  // PresentSkip ticks skip composition (1 after a game load); FrameCounter
  // counts eligible ticks modulo FrameDivider.
  bool Active = true;
  int32_t PresentSkip = 0;
  int32_t FrameCounter = 0;

  PlayerOptions options;
  GameLocation game;
  Settings settings;
  uint32_t random_seed = 0;
  std::filesystem::path temp_folder;  // private to this process

  Platform* platform = nullptr;
  Window* window = nullptr;      // from the end of start-up to shutdown
  AudioDevice* audio = nullptr;  // the one sound device, from start-up to shutdown
  WavRecorder* audio_out = nullptr;  // --audio-out, open for the whole run
  TScreenManager* screen_manager = nullptr;  // while the window exists
  DisplayControl* display = nullptr;         // the player, for the display's system variables
  TRivoBaseList* screen = nullptr;           // the runtime objects' screen, while it exists
  std::ostream* log = nullptr;   // diagnostics; never null in a running player

  // Receives the names of the start-up and shutdown steps; records nothing
  // unless someone (a test, a debugging session) sets it.
  std::function<void(std::string_view step)> trace;
  void Trace(std::string_view step) const {
    if (trace) trace(step);
  }
  // Set to end the frame loop (window closed, quit confirmed).
  bool close_requested = false;
  // The process's exit code when the frame loop ends: kExitCannotStart once
  // the game has given up for want of its disc.
  int exit_code = kExitNormal;
};

}  // namespace rivo

#pragma once
// The subsystems that exist so far, plugged into the host: the file
// manager, the variable store with the system variables the interpreter
// answers, the system functions, the screen with its runtime objects, and
// the project with its interpreter.

#include <memory>

#include "host/player_fonts.h"
#include "host/player_parts.h"
#include "media/midi_synth.h"

namespace rivo {

class GameFileManager;
class GameMedia;
class GameScreen;
class TParamCollection;
class ScenarioSystemServices;
class TSysFuncMan;

class GameParts : public PlayerParts {
 public:
  void PrepareMedia(PlayerContext& ctx) override;
  std::unique_ptr<ContentStage> CreateFileManager(PlayerContext& ctx) override;
  std::unique_ptr<PlayerPart> CreateVariables(PlayerContext& ctx) override;
  std::unique_ptr<PlayerPart> CreateSystemFunctions(PlayerContext& ctx) override;
  std::unique_ptr<ScreenStage> CreateScreen(PlayerContext& ctx) override;
  std::unique_ptr<ProjectStage> CreateProject(PlayerContext& ctx) override;
  std::unique_ptr<MediaStage> CreateMedia(PlayerContext& ctx, int32_t width, int32_t height) override;
  // Waits a bounded time for the first scene's pictures and glyphs, then
  // lets the workers yield to the player.
  void AwaitFirstScene(PlayerContext& ctx) override;

  // Off: every picture and page is read when the game asks for it, on the
  // player thread (for comparisons: the game must see no difference).
  void SetLookAhead(bool on) { look_ahead_ = on; }

 private:
  // The fonts, made on first use; they last to the end of the run.
  PlayerFonts& Fonts(PlayerContext& ctx);

  // Owned by the host through the parts created above; each lives longer
  // than the project.
  GameFileManager* files_ = nullptr;
  TParamCollection* variables_ = nullptr;
  ScenarioSystemServices* services_ = nullptr;
  TSysFuncMan* functions_ = nullptr;
  GameMedia* media_ = nullptr;
  std::unique_ptr<PlayerFonts> fonts_;
  // The MIDI synthesiser, made from start-up on until MediaInit takes it.
  SynthAhead synth_ahead_;
  GameScreen* screen_ = nullptr;
  bool look_ahead_ = true;
};

}  // namespace rivo

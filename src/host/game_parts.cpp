#include "host/game_parts.h"

#include <chrono>

#include "host/game_file_manager.h"
#include "host/game_media.h"
#include "host/game_project.h"
#include "host/game_system_services.h"
#include "host/game_screen.h"
#include "host/glyph_ahead.h"
#include "host/look_ahead.h"
#include "host/player_context.h"
#include "media/fluid_synth_output.h"
#include "platform/platform.h"
#include "scenario/scenario_system_services.h"
#include "script/param_collection.h"
#include "script/sys_func_man.h"

namespace rivo {
namespace {

class VariableStore : public PlayerPart {
 public:
  explicit VariableStore(PlayerContext& ctx) : services(ctx) {}
  GameSystemServices services;
  TParamCollection variables{&services};
};

class SystemFunctions : public PlayerPart {
 public:
  SystemFunctions(TParamCollection& store, TVrFileManager& files, uint32_t seed) : functions(store, &files, seed) {}
  TSysFuncMan functions;
};

}  // namespace

void GameParts::PrepareMedia(PlayerContext& ctx) {
  // Ready before the title screen's tune, as a device opened at start would
  // be. A headless run that records nothing throws its sound away, and its
  // media system makes no synthesiser.
  if (!ctx.options.headless || ctx.audio_out) synth_ahead_ = MakeFluidSynthAhead(ctx.settings.SoundFont);
}

std::unique_ptr<ContentStage> GameParts::CreateFileManager(PlayerContext& ctx) {
  auto files = std::make_unique<GameFileManager>(ctx.temp_folder, ctx.options.disc_roots, look_ahead_);
  files_ = files.get();
  // The glyphs of the pages read ahead are rendered ahead too.
  if (LookAhead* ahead = files_->Ahead()) ahead->SetWatcher(&Fonts(ctx).Ahead());
  return files;
}

PlayerFonts& GameParts::Fonts(PlayerContext& ctx) {
  // The glyph cache exists before the window and outlives everything that draws text.
  if (!fonts_) fonts_ = std::make_unique<PlayerFonts>(ctx.options.test_fonts, ctx.log);
  return *fonts_;
}

std::unique_ptr<PlayerPart> GameParts::CreateVariables(PlayerContext& ctx) {
  PlayerFonts* fonts = &Fonts(ctx);
  auto store = std::make_unique<VariableStore>(ctx);
  variables_ = &store->variables;
  services_ = &store->services;
  services_->SetFontNames([fonts](bool fixed_pitch) { return fonts->FaceNames(fixed_pitch); });
  return store;
}

std::unique_ptr<PlayerPart> GameParts::CreateSystemFunctions(PlayerContext& ctx) {
  auto part = std::make_unique<SystemFunctions>(*variables_, files_->Files(), ctx.random_seed);
  functions_ = &part->functions;
  return part;
}

std::unique_ptr<ScreenStage> GameParts::CreateScreen(PlayerContext& ctx) {
  auto screen = std::make_unique<GameScreen>(ctx, &files_->Files(), variables_);
  screen_ = screen.get();
  screen_->Images().SetPrepared(files_->Ahead());
  screen_->Screen().SetGlyphs(&Fonts(ctx).Glyphs());
  screen_->Screen().SetVariables(variables_);
  return screen;
}

std::unique_ptr<ProjectStage> GameParts::CreateProject(PlayerContext& ctx) {
  // A project that failed to start stays until shutdown, like one that runs.
  return std::make_unique<GameProject>(ctx, files_->Files(), *variables_, *services_, functions_,
                                       screen_->Screen(), files_->Ahead());
}

std::unique_ptr<MediaStage> GameParts::CreateMedia(PlayerContext& ctx, int32_t, int32_t) {
  // Sound switched off before the media started stays off.
  const bool sound_on = !services_ || services_->SoundOn();
  auto media = std::make_unique<GameMedia>(files_->Files(), ctx.audio, ctx.platform->GetClock(), ctx.settings,
                                           std::move(synth_ahead_));
  media_ = media.get();
  media_->Media().SetSoundOn(sound_on);
  media_->Media().Midi().SetPrepared(files_->Ahead());
  if (screen_) screen_->Screen().SetMedia(&media_->Media());
  return media;
}

void GameParts::AwaitFirstScene(PlayerContext& ctx) {
  LookAhead* ahead = files_ ? files_->Ahead() : nullptr;
  if (!ahead) return;
  // The game's first screen then shows whole in its first tick; a start
  // that takes this much longer is still quick, and nobody waits on a
  // worker that does not get on.
  constexpr std::chrono::milliseconds kAtMost{100};
  const auto deadline = std::chrono::steady_clock::now() + kAtMost;
  GlyphAhead& glyphs = Fonts(ctx).Ahead();
  if (ahead->AwaitFirstScene(deadline)) glyphs.WaitUntilIdle(deadline);
  ahead->YieldToPlayer();
  glyphs.YieldToPlayer();
}

}  // namespace rivo

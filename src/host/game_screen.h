#pragma once
// The screen as the host drives it: the runtime objects' TRivoBaseList on
// the player's game clock. The window's input goes into its bases and key
// tables, its input step and update run once a tick, and on drawing ticks
// it composes into the screen manager's drawing surface and hands over
// what changed.

#include "graphics/orba_collection.h"
#include "host/game_image_files.h"
#include "host/player_context.h"
#include "host/player_parts.h"
#include "media/cursor_cache.h"
#include "objects/rivo_base_list.h"

namespace rivo {

class TParamCollection;
class TVrFileManager;

class GameScreen : public ScreenStage, private ScreenClock {
 public:
  // files: where pointer files are read; variables: the store whose
  // "@Cursor" names the pointer of controls without their own (either may
  // be nullptr).
  GameScreen(PlayerContext& ctx, TVrFileManager* files, const TParamCollection* variables);
  ~GameScreen() override;

  TRivoBaseList& Screen() { return screen_; }
  TOrbaCollection& Images() { return images_; }

  void SetButtonsHeld(bool left, bool right) override;
  void SetButtonsPressed(bool left, bool right) override;
  void UpdateMouse(int32_t x, int32_t y) override;
  void SetWheel(bool down) override;
  void SetKeyDown(int code, bool down) override { screen_.Keys().SetKeyDown(code, down); }
  void MarkKeyPressed(int code) override { screen_.Keys().MarkKeyPressed(code); }
  void ClearKeys() override { screen_.ClearKeys(); }

  void SetScreenSize(int32_t width, int32_t height) override;
  void ProcessInput() override;
  void Update() override { screen_.Tick(); }
  Composed Compose(TDIBX& back_buffer) override;
  void ClearChangedRects() override { screen_.ClearDirty(); }
  void InvalidateAll() override { screen_.InvalidateAll(); }
  void ReleaseSurfaces() override { screen_.ReleaseSurfaces(); }
  void RestoreSurfaces() override { screen_.RestoreSurfaces(); }

 private:
  int32_t ElapsedMs() const override { return ctx_.ElapsedMs; }
  int32_t FrameDeltaMs() const override { return ctx_.FrameDeltaMs; }

  PlayerContext& ctx_;
  TCursorCache cursors_;
  GameImageFiles image_files_;
  // Declared before the screen: the objects let their pictures go first.
  TOrbaCollection images_{image_files_};
  TRivoBaseList screen_;
};

}  // namespace rivo

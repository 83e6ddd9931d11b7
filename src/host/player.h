#pragma once
// The player: start-up in the engine's fixed order, the frame loop, the
// window's reactions (focus, close, full screen, the tool bar), and
// shutdown in reverse order. The process entry (player_process.h) wraps it
// with the single-instance lock and the temporary folder.

#include <memory>

#include "host/clock_loop.h"
#include "host/display_control.h"
#include "host/frame_tick.h"
#include "host/player_context.h"
#include "host/player_parts.h"
#include "media/screen_manager.h"
#include "platform/audio_device.h"
#include "platform/platform.h"

namespace rivo {

class Player final : private DisplayControl {
 public:
  // ctx holds the options, the game and the temporary folder; the rest of
  // it is filled in here.
  Player(Platform& platform, PlayerParts& parts, PlayerContext ctx);
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;
  ~Player();

  // Start-up, frame loop, shutdown. Returns kExitNormal, or kExitCannotStart
  // when the game could not start (the reason has been shown).
  int Run();

  PlayerContext& Context() { return ctx_; }

  // What the host offers the rest of the engine. Full screen needs a
  // chosen display mode; a switch the window refuses leaves it windowed.
  void SetFullScreen(bool on) override;
  void ApplyDisplayMode() override;
  void SetMouseX(int32_t x) override;
  void SetMouseY(int32_t y) override;
  TScreenManager* ScreenManager() override { return screen_manager_.get(); }
  // The "終了" button: asks before closing.
  void ConfirmClose();
  // Focus gained and lost.
  void Activate();
  void Deactivate();
  void HandleInput(const InputEvent& event);

 private:
  void StartUp();
  void InitPlayer();
  void ShutdownPlayer();
  void FinishProgram();
  void WriteScreenshot();
  // Sets the screen manager's mode with the screen's surfaces given up around it.
  void SwitchMode(int32_t mode);

  Platform& platform_;
  PlayerParts& parts_;
  PlayerContext ctx_;
  ClockLoop loop_;

  std::unique_ptr<ContentStage> file_manager_;
  std::unique_ptr<PlayerPart> variables_;
  std::unique_ptr<PlayerPart> system_functions_;
  std::unique_ptr<AudioDevice> audio_;
  std::unique_ptr<ScreenStage> screen_;
  std::unique_ptr<ProjectStage> project_;
  std::unique_ptr<MediaStage> media_;
  std::unique_ptr<Window> window_;
  // Owns the surface the screen composes into; black until it draws.
  std::unique_ptr<TScreenManager> screen_manager_;
  bool frame_composed_ = false;
};

}  // namespace rivo

#include "host/game_system_services.h"

#include "host/display_control.h"
#include "host/player_context.h"
#include "media/screen_manager.h"

namespace rivo {

TScreenManager* GameSystemServices::Manager() const { return ctx_.display ? ctx_.display->ScreenManager() : nullptr; }

void GameSystemServices::SetMouseX(int32_t x) {
  if (ctx_.display) ctx_.display->SetMouseX(x);
}

void GameSystemServices::SetMouseY(int32_t y) {
  if (ctx_.display) ctx_.display->SetMouseY(y);
}

bool GameSystemServices::FullScreen() {
  TScreenManager* m = Manager();
  return m && m->FullScreen();
}

void GameSystemServices::SetFullScreen(bool on) {
  if (ctx_.display) ctx_.display->SetFullScreen(on);
}

int32_t GameSystemServices::DisplayModeCount() {
  TScreenManager* m = Manager();
  return m ? m->ModeCount() : 0;
}

int32_t GameSystemServices::DisplayModeIndex() {
  TScreenManager* m = Manager();
  return m ? m->ChosenMode() : -1;
}

void GameSystemServices::SetDisplayModeIndex(int32_t index) {
  TScreenManager* m = Manager();
  if (m && m->SetChosenMode(index)) ctx_.display->ApplyDisplayMode();
}

std::optional<DisplayMode> GameSystemServices::DisplayModeAt(int32_t n) {
  TScreenManager* m = Manager();
  return m ? m->GetMode(n) : std::nullopt;
}

}  // namespace rivo

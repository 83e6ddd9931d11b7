#include "host/game_system_services.h"

#include "host/display_control.h"
#include "host/player_context.h"
#include "media/media_system.h"
#include "media/screen_manager.h"
#include "objects/rivo_base_list.h"

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

// The input of the base that has it: the shown base of the screen.
TRivoBase* GameSystemServices::Base() const { return ctx_.screen ? &ctx_.screen->ActiveBase() : nullptr; }

bool GameSystemServices::LClick() {
  TRivoBase* b = Base();
  return b && b->LeftClick;
}

void GameSystemServices::SetLClick(bool value) {
  if (TRivoBase* b = Base()) b->LeftClick = value;
}

bool GameSystemServices::RClick() {
  TRivoBase* b = Base();
  return b && b->RightClick;
}

void GameSystemServices::SetRClick(bool value) {
  if (TRivoBase* b = Base()) b->RightClick = value;
}

bool GameSystemServices::LPush() {
  TRivoBase* b = Base();
  return b && b->LeftHeld;
}

bool GameSystemServices::RPush() {
  TRivoBase* b = Base();
  return b && b->RightHeld;
}

int32_t GameSystemServices::MouseX() {
  TRivoBase* b = Base();
  return b ? b->MouseX : 0;
}

int32_t GameSystemServices::MouseY() {
  TRivoBase* b = Base();
  return b ? b->MouseY : 0;
}

bool GameSystemServices::KeyPush(int32_t key) { return ctx_.screen && ctx_.screen->Keys().KeyIsDown(key); }
bool GameSystemServices::KeyClick(int32_t key) { return ctx_.screen && ctx_.screen->Keys().KeyWasPushed(key); }
bool GameSystemServices::KeyRepeat(int32_t key) { return ctx_.screen && ctx_.screen->Keys().KeyWasRepeated(key); }

bool GameSystemServices::WheelDown() {
  TRivoBase* b = Base();
  return b && b->WheelDownNow;
}

bool GameSystemServices::WheelUp() {
  TRivoBase* b = Base();
  return b && b->WheelUpNow;
}

std::string GameSystemServices::ActiveCompo() {
  TRivoControl* focus = ctx_.screen ? ctx_.screen->Focus() : nullptr;
  return focus ? focus->GetName() : std::string();
}

void GameSystemServices::SetActiveCompo(const std::string& name) {
  if (!ctx_.screen || name.empty()) return;
  TRivoControl* c = ctx_.screen->FindControlByName(name);
  if (c && c->IsVisible() && c->GetHandleKey() && !c->IsPaused()) ctx_.screen->SetFocus(c);
}

bool GameSystemServices::InPrimary(const std::string& base_name) {
  return ctx_.screen && ctx_.screen->FindControlByName(base_name) == &ctx_.screen->ActiveBase();
}

}  // namespace rivo

namespace rivo {

TMediaSystem* GameSystemServices::Media() const { return ctx_.screen ? ctx_.screen->Media() : nullptr; }

bool GameSystemServices::SoundOn() {
  TMediaSystem* media = Media();
  return media ? media->SoundOn() : sound_on_;
}

void GameSystemServices::SetSoundOn(bool on) {
  sound_on_ = on;
  if (TMediaSystem* media = Media()) media->SetSoundOn(on);
}

std::string GameSystemServices::MidiPort() {
  TMediaSystem* media = Media();
  return media ? media->Midi().SelectedPortName() : std::string();
}

void GameSystemServices::SetMidiPort(const std::string& name) {
  if (TMediaSystem* media = Media()) media->Midi().SelectPort(name);
}

std::vector<std::string> GameSystemServices::MidiPorts() {
  std::vector<std::string> ports;
  if (TMediaSystem* media = Media())
    for (int32_t i = 0; i < media->Midi().PortCount(); ++i) ports.push_back(media->Midi().PortName(i));
  return ports;
}

}  // namespace rivo

#include "host/game_screen.h"

#include "script/param_collection.h"

namespace rivo {

GameScreen::GameScreen(PlayerContext& ctx, TVrFileManager* files, const TParamCollection* variables)
    : ctx_(ctx), cursors_(files, nullptr), image_files_(files), screen_(this) {
  screen_.SetCursors(&cursors_);
  screen_.SetImages(&images_);
  // Transitions that draw random orders repeat with the player's seed.
  screen_.SetWipeSeed(ctx_.random_seed);
  if (variables) screen_.SetDefaultCursor([variables] { return variables->CursorName(); });
  screen_.SetFiles(files);
  ctx_.screen = &screen_;
}

GameScreen::~GameScreen() {
  if (ctx_.screen == &screen_) ctx_.screen = nullptr;
}

void GameScreen::SetButtonsHeld(bool left, bool right) {
  for (int32_t i = 0; i < 2; ++i) {
    screen_.BaseAt(i).LeftHeld = left;
    screen_.BaseAt(i).RightHeld = right;
  }
}

void GameScreen::SetButtonsPressed(bool left, bool right) {
  screen_.ActiveBase().LeftPress = left;
  screen_.ActiveBase().RightPress = right;
}

void GameScreen::UpdateMouse(int32_t x, int32_t y) {
  for (int32_t i = 0; i < 2; ++i) screen_.BaseAt(i).UpdateMouse(x, y);
}

void GameScreen::SetWheel(bool down) {
  TRivoBase& base = screen_.ActiveBase();
  (down ? base.WheelDown : base.WheelUp) = true;
}

void GameScreen::SetScreenSize(int32_t width, int32_t height) {
  screen_.SetWidth(width);
  screen_.SetHeight(height);
}

void GameScreen::ProcessInput() {
  // The window exists from the end of start-up; pointers show from the first tick.
  cursors_.SetWindow(ctx_.window);
  screen_.ProcessInput();
}

ScreenStage::Composed GameScreen::Compose(TDIBX& back_buffer) {
  if (&screen_.BackBuffer() != &back_buffer) screen_.SetBackBuffer(&back_buffer);
  screen_.Draw();
  if (const auto& changes = screen_.OldPictureChanges()) return {*changes, {}};
  return {screen_.ActiveBase().Dirty.Rects(), screen_.PresentRect()};
}

}  // namespace rivo

#pragma once
// What the display's system variables ask of the host ("@FullScr",
// "@DisplayModeIndex", "@MouseX", "@MouseY"): switching full screen,
// applying the chosen mode and moving the pointer. The player answers;
// before its window exists there is no screen manager and nothing moves.

#include <cstdint>

namespace rivo {

class TScreenManager;

class DisplayControl {
 public:
  virtual ~DisplayControl() = default;
  // Null until the window exists, and after shutdown.
  virtual TScreenManager* ScreenManager() = 0;
  virtual void SetFullScreen(bool on) = 0;
  // Re-applies the chosen mode when full screen is on.
  virtual void ApplyDisplayMode() = 0;
  // Moves the pointer so that its panel position gets this x (or y); the
  // other coordinate stays.
  virtual void SetMouseX(int32_t x) = 0;
  virtual void SetMouseY(int32_t y) = 0;
};

}  // namespace rivo

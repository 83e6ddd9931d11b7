#pragma once
// What the window's input handlers write into the screen (its two bases and
// its key tables) between ticks. The screen reads it all back in its input
// step at the start of the next tick. The host decides what to write
// (InputRouter); the screen only stores it.

#include <cstdint>

namespace rivo {

class ScreenInput {
 public:
  virtual ~ScreenInput() = default;
  // Base 0 and base 1: LeftHeld, RightHeld.
  virtual void SetButtonsHeld(bool left, bool right) = 0;
  // The active base: LeftPress, RightPress (a press arrived since the last tick).
  virtual void SetButtonsPressed(bool left, bool right) = 0;
  // Both bases: the pointer in panel coordinates (a base marks itself moved
  // only when the position differs).
  virtual void UpdateMouse(int32_t x, int32_t y) = 0;
  // The active base: WheelDown or WheelUp := 1.
  virtual void SetWheel(bool down) = 0;
  // Key tables; code is 0-255.
  virtual void SetKeyDown(int code, bool down) = 0;
  virtual void MarkKeyPressed(int code) = 0;
  // Every key table, counter and pending key event (the window lost focus).
  virtual void ClearKeys() = 0;
};

}  // namespace rivo

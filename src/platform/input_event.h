#pragma once
// What a back end reports between frame ticks: mouse and keys in the game
// screen's own coordinates and Windows virtual-key codes, focus changes, and
// the requests of the window's frame and tool bar.

#include <cstdint>

namespace rivo {

enum class MouseButton : uint8_t { kLeft, kRight, kMiddle };

enum class InputKind : uint8_t {
  kMouseMove,       // x, y
  kMouseDown,       // button, x, y
  kMouseUp,         // button, x, y
  kWheel,           // wheel_down
  kKeyDown,         // key, repeat
  kKeyUp,           // key
  kFocusGained,
  kFocusLost,
  kCloseRequest,    // the window's close box (or the process was asked to stop)
  kToolbarQuit,     // the "終了" button
  kToolbarToggleFullScreen,  // the "画面切替" button
};

struct InputEvent {
  InputKind kind = InputKind::kMouseMove;
  // Panel coordinates: (0, 0) is the game screen's top-left pixel. A pointer
  // outside the screen gives positions outside 0..width-1 / 0..height-1.
  int32_t x = 0;
  int32_t y = 0;
  MouseButton button = MouseButton::kLeft;
  bool wheel_down = false;
  // A virtual-key code. Back ends deliver 0-255; the host ignores anything else.
  int32_t key = 0;
  // The key event is the keyboard's auto-repeat of a key already down.
  bool repeat = false;
};

}  // namespace rivo

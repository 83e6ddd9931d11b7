#include "host/input_router.h"

namespace rivo {
namespace {

// The key tables have 256 entries; codes beyond them are not keys the
// games can test.
bool IsTableKey(int key) { return key >= 0 && key < 256; }

}  // namespace

void RouteInput(const InputEvent& e, bool active, ScreenInput& screen) {
  switch (e.kind) {
    case InputKind::kMouseMove:
      screen.UpdateMouse(e.x, e.y);
      break;
    case InputKind::kMouseDown:
      // A press carries its own position: the pointer may not have been
      // reported there before (a scripted press, a touch, a warp).
      screen.UpdateMouse(e.x, e.y);
      if (!active) break;
      // Any press sets all four flags, so the middle button clears them.
      screen.SetButtonsHeld(e.button == MouseButton::kLeft, e.button == MouseButton::kRight);
      screen.SetButtonsPressed(e.button == MouseButton::kLeft, e.button == MouseButton::kRight);
      break;
    case InputKind::kMouseUp:
      screen.UpdateMouse(e.x, e.y);
      screen.SetButtonsHeld(false, false);
      break;
    case InputKind::kWheel:
      screen.SetWheel(e.wheel_down);
      break;
    case InputKind::kKeyDown:
      if (!active || !IsTableKey(e.key)) break;
      screen.SetKeyDown(e.key, true);
      // The screen makes its own repeats from the held key; the keyboard's
      // auto-repeat must not count as another press.
      if (!e.repeat) screen.MarkKeyPressed(e.key);
      break;
    case InputKind::kKeyUp:
      if (IsTableKey(e.key)) screen.SetKeyDown(e.key, false);
      break;
    default:
      break;
  }
}

}  // namespace rivo

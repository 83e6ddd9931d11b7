#pragma once
// The window's input handlers: what a mouse or key event writes into the
// screen. Focus changes, close requests and the tool bar are the player's
// own business (Player).

#include "host/screen_input.h"
#include "platform/input_event.h"

namespace rivo {

// active: the player has focus (presses and key downs count only then).
void RouteInput(const InputEvent& event, bool active, ScreenInput& screen);

}  // namespace rivo

#pragma once
// SDL keys to Windows virtual-key codes: one table for every key the games
// can test. Keys are taken by position (scancode), as Windows keyboard
// layouts assign their codes per physical key; letters follow the layout's
// letter so that "A" is the key marked A on any Latin keyboard. The
// punctuation keys differ between the US and the Japanese (JIS) layout, so
// the table has a column for each.

#include <SDL.h>

namespace rivo {

enum class KeyboardLayout { kUs, kJis };

// JIS when the key right of P types "@", as it does on a Japanese keyboard.
KeyboardLayout DetectKeyboardLayout();

// The virtual-key code (1-255) of a key, or 0 when the player has no code for it.
int VirtualKeyFromSdl(SDL_Scancode scancode, SDL_Keycode keycode, KeyboardLayout layout);

}  // namespace rivo

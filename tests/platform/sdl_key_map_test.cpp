// The one table from SDL keys to Windows virtual-key codes.

#include "platform/sdl/sdl_key_map.h"

#include <gtest/gtest.h>

namespace rivo {
namespace {

struct KeyCase {
  SDL_Scancode scancode;
  SDL_Keycode keycode;
  int us;
  int jis;
};

TEST(SdlKeyMap, MapsEveryKindOfKeyToItsVirtualKeyCode) {
  const KeyCase cases[] = {
      // letters follow the layout's letter; digits the row position
      {SDL_SCANCODE_A, SDLK_a, 'A', 'A'},
      {SDL_SCANCODE_Z, SDLK_z, 'Z', 'Z'},
      {SDL_SCANCODE_Q, SDLK_a, 'A', 'A'},  // AZERTY: the key marked A
      {SDL_SCANCODE_1, SDLK_1, '1', '1'},
      {SDL_SCANCODE_9, SDLK_9, '9', '9'},
      {SDL_SCANCODE_0, SDLK_0, '0', '0'},
      // numeric keypad
      {SDL_SCANCODE_KP_0, SDLK_KP_0, 0x60, 0x60},
      {SDL_SCANCODE_KP_9, SDLK_KP_9, 0x69, 0x69},
      {SDL_SCANCODE_KP_MULTIPLY, SDLK_KP_MULTIPLY, 0x6A, 0x6A},
      {SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, 0x6B, 0x6B},
      {SDL_SCANCODE_KP_MINUS, SDLK_KP_MINUS, 0x6D, 0x6D},
      {SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, 0x6E, 0x6E},
      {SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE, 0x6F, 0x6F},
      {SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, 0x0D, 0x0D},
      // function keys
      {SDL_SCANCODE_F1, SDLK_F1, 0x70, 0x70},
      {SDL_SCANCODE_F12, SDLK_F12, 0x7B, 0x7B},
      {SDL_SCANCODE_F13, SDLK_F13, 0x7C, 0x7C},
      {SDL_SCANCODE_F24, SDLK_F24, 0x87, 0x87},
      // arrows and editing keys
      {SDL_SCANCODE_LEFT, SDLK_LEFT, 0x25, 0x25},
      {SDL_SCANCODE_UP, SDLK_UP, 0x26, 0x26},
      {SDL_SCANCODE_RIGHT, SDLK_RIGHT, 0x27, 0x27},
      {SDL_SCANCODE_DOWN, SDLK_DOWN, 0x28, 0x28},
      {SDL_SCANCODE_PAGEUP, SDLK_PAGEUP, 0x21, 0x21},
      {SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN, 0x22, 0x22},
      {SDL_SCANCODE_HOME, SDLK_HOME, 0x24, 0x24},
      {SDL_SCANCODE_END, SDLK_END, 0x23, 0x23},
      {SDL_SCANCODE_INSERT, SDLK_INSERT, 0x2D, 0x2D},
      {SDL_SCANCODE_DELETE, SDLK_DELETE, 0x2E, 0x2E},
      // modifiers: left and right alike, as the games test them
      {SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, 16, 16},
      {SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, 16, 16},
      {SDL_SCANCODE_LCTRL, SDLK_LCTRL, 17, 17},
      {SDL_SCANCODE_RCTRL, SDLK_RCTRL, 17, 17},
      {SDL_SCANCODE_LALT, SDLK_LALT, 18, 18},
      {SDL_SCANCODE_RALT, SDLK_RALT, 18, 18},
      // the usual suspects
      {SDL_SCANCODE_RETURN, SDLK_RETURN, 0x0D, 0x0D},
      {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, 0x1B, 0x1B},
      {SDL_SCANCODE_SPACE, SDLK_SPACE, 0x20, 0x20},
      {SDL_SCANCODE_TAB, SDLK_TAB, 0x09, 0x09},
      {SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, 0x08, 0x08},
      // OEM keys: same position, different codes on the two layouts
      {SDL_SCANCODE_MINUS, SDLK_MINUS, 0xBD, 0xBD},
      {SDL_SCANCODE_EQUALS, SDLK_EQUALS, 0xBB, 0xDE},
      {SDL_SCANCODE_LEFTBRACKET, SDLK_LEFTBRACKET, 0xDB, 0xC0},
      {SDL_SCANCODE_RIGHTBRACKET, SDLK_RIGHTBRACKET, 0xDD, 0xDB},
      {SDL_SCANCODE_BACKSLASH, SDLK_BACKSLASH, 0xDC, 0xDD},
      {SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON, 0xBA, 0xBB},
      {SDL_SCANCODE_APOSTROPHE, SDLK_QUOTE, 0xDE, 0xBA},
      {SDL_SCANCODE_GRAVE, SDLK_BACKQUOTE, 0xC0, 0xF3},
      {SDL_SCANCODE_COMMA, SDLK_COMMA, 0xBC, 0xBC},
      {SDL_SCANCODE_PERIOD, SDLK_PERIOD, 0xBE, 0xBE},
      {SDL_SCANCODE_SLASH, SDLK_SLASH, 0xBF, 0xBF},
      {SDL_SCANCODE_CAPSLOCK, SDLK_CAPSLOCK, 0x14, 0xF0},
      // the keys of the Japanese keyboard
      {SDL_SCANCODE_INTERNATIONAL1, SDLK_UNKNOWN, 0xE2, 0xE2},  // ろ
      {SDL_SCANCODE_INTERNATIONAL2, SDLK_UNKNOWN, 0xF2, 0xF2},  // カタカナ/ひらがな
      {SDL_SCANCODE_INTERNATIONAL3, SDLK_UNKNOWN, 0xDC, 0xDC},  // ¥
      {SDL_SCANCODE_INTERNATIONAL4, SDLK_UNKNOWN, 0x1C, 0x1C},  // 変換
      {SDL_SCANCODE_INTERNATIONAL5, SDLK_UNKNOWN, 0x1D, 0x1D},  // 無変換
      {SDL_SCANCODE_LANG5, SDLK_UNKNOWN, 0xF3, 0xF3},           // 半角/全角
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(SDL_GetScancodeName(c.scancode));
    EXPECT_EQ(VirtualKeyFromSdl(c.scancode, c.keycode, KeyboardLayout::kUs), c.us);
    EXPECT_EQ(VirtualKeyFromSdl(c.scancode, c.keycode, KeyboardLayout::kJis), c.jis);
  }
}

TEST(SdlKeyMap, KeysWithoutACodeGiveZeroAndNoCodeExceeds255) {
  EXPECT_EQ(VirtualKeyFromSdl(SDL_SCANCODE_MUTE, SDLK_MUTE, KeyboardLayout::kUs), 0);
  EXPECT_EQ(VirtualKeyFromSdl(SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN, KeyboardLayout::kJis), 0);
  for (int s = 0; s < SDL_NUM_SCANCODES; ++s) {
    int code = VirtualKeyFromSdl(static_cast<SDL_Scancode>(s), SDLK_UNKNOWN, KeyboardLayout::kJis);
    EXPECT_GE(code, 0);
    EXPECT_LE(code, 255);
  }
}

}  // namespace
}  // namespace rivo

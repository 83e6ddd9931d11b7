#include "platform/sdl/sdl_key_map.h"

#include <cstdint>

#include "platform/virtual_key.h"

namespace rivo {
namespace {

struct KeyRow {
  SDL_Scancode scancode;
  uint8_t us;
  uint8_t jis;
};

constexpr uint8_t Same(int code) { return static_cast<uint8_t>(code); }

// Letters A-Z (4..29 in SDL), digits (30..39), F1-F12 and F13-F24 are runs
// handled beside the table.
constexpr KeyRow kKeys[] = {
    {SDL_SCANCODE_RETURN, Same(vk::kReturn), Same(vk::kReturn)},
    {SDL_SCANCODE_ESCAPE, Same(vk::kEscape), Same(vk::kEscape)},
    {SDL_SCANCODE_BACKSPACE, Same(vk::kBack), Same(vk::kBack)},
    {SDL_SCANCODE_TAB, Same(vk::kTab), Same(vk::kTab)},
    {SDL_SCANCODE_SPACE, Same(vk::kSpace), Same(vk::kSpace)},
    {SDL_SCANCODE_MINUS, Same(vk::kOemMinus), Same(vk::kOemMinus)},
    {SDL_SCANCODE_EQUALS, Same(vk::kOemPlus), Same(vk::kOem7)},         // JIS "^"
    {SDL_SCANCODE_LEFTBRACKET, Same(vk::kOem4), Same(vk::kOem3)},       // JIS "@"
    {SDL_SCANCODE_RIGHTBRACKET, Same(vk::kOem6), Same(vk::kOem4)},      // JIS "["
    {SDL_SCANCODE_BACKSLASH, Same(vk::kOem5), Same(vk::kOem6)},         // JIS "]"
    {SDL_SCANCODE_NONUSHASH, Same(vk::kOem5), Same(vk::kOem6)},
    {SDL_SCANCODE_SEMICOLON, Same(vk::kOem1), Same(vk::kOemPlus)},      // JIS ";"
    {SDL_SCANCODE_APOSTROPHE, Same(vk::kOem7), Same(vk::kOem1)},        // JIS ":"
    {SDL_SCANCODE_GRAVE, Same(vk::kOem3), Same(vk::kDbeSbcsChar)},      // JIS 半角/全角
    {SDL_SCANCODE_COMMA, Same(vk::kOemComma), Same(vk::kOemComma)},
    {SDL_SCANCODE_PERIOD, Same(vk::kOemPeriod), Same(vk::kOemPeriod)},
    {SDL_SCANCODE_SLASH, Same(vk::kOem2), Same(vk::kOem2)},
    {SDL_SCANCODE_CAPSLOCK, Same(vk::kCapital), Same(vk::kDbeAlphanumeric)},  // JIS 英数
    {SDL_SCANCODE_PRINTSCREEN, Same(vk::kSnapshot), Same(vk::kSnapshot)},
    {SDL_SCANCODE_SCROLLLOCK, Same(vk::kScroll), Same(vk::kScroll)},
    {SDL_SCANCODE_PAUSE, Same(vk::kPause), Same(vk::kPause)},
    {SDL_SCANCODE_INSERT, Same(vk::kInsert), Same(vk::kInsert)},
    {SDL_SCANCODE_HOME, Same(vk::kHome), Same(vk::kHome)},
    {SDL_SCANCODE_PAGEUP, Same(vk::kPrior), Same(vk::kPrior)},
    {SDL_SCANCODE_DELETE, Same(vk::kDelete), Same(vk::kDelete)},
    {SDL_SCANCODE_END, Same(vk::kEnd), Same(vk::kEnd)},
    {SDL_SCANCODE_PAGEDOWN, Same(vk::kNext), Same(vk::kNext)},
    {SDL_SCANCODE_RIGHT, Same(vk::kRight), Same(vk::kRight)},
    {SDL_SCANCODE_LEFT, Same(vk::kLeft), Same(vk::kLeft)},
    {SDL_SCANCODE_DOWN, Same(vk::kDown), Same(vk::kDown)},
    {SDL_SCANCODE_UP, Same(vk::kUp), Same(vk::kUp)},
    {SDL_SCANCODE_NUMLOCKCLEAR, Same(vk::kNumLock), Same(vk::kNumLock)},
    {SDL_SCANCODE_KP_DIVIDE, Same(vk::kDivide), Same(vk::kDivide)},
    {SDL_SCANCODE_KP_MULTIPLY, Same(vk::kMultiply), Same(vk::kMultiply)},
    {SDL_SCANCODE_KP_MINUS, Same(vk::kSubtract), Same(vk::kSubtract)},
    {SDL_SCANCODE_KP_PLUS, Same(vk::kAdd), Same(vk::kAdd)},
    {SDL_SCANCODE_KP_ENTER, Same(vk::kReturn), Same(vk::kReturn)},
    {SDL_SCANCODE_KP_1, Same(vk::kNumpad0 + 1), Same(vk::kNumpad0 + 1)},
    {SDL_SCANCODE_KP_2, Same(vk::kNumpad0 + 2), Same(vk::kNumpad0 + 2)},
    {SDL_SCANCODE_KP_3, Same(vk::kNumpad0 + 3), Same(vk::kNumpad0 + 3)},
    {SDL_SCANCODE_KP_4, Same(vk::kNumpad0 + 4), Same(vk::kNumpad0 + 4)},
    {SDL_SCANCODE_KP_5, Same(vk::kNumpad0 + 5), Same(vk::kNumpad0 + 5)},
    {SDL_SCANCODE_KP_6, Same(vk::kNumpad0 + 6), Same(vk::kNumpad0 + 6)},
    {SDL_SCANCODE_KP_7, Same(vk::kNumpad0 + 7), Same(vk::kNumpad0 + 7)},
    {SDL_SCANCODE_KP_8, Same(vk::kNumpad0 + 8), Same(vk::kNumpad0 + 8)},
    {SDL_SCANCODE_KP_9, Same(vk::kNumpad0 + 9), Same(vk::kNumpad0 + 9)},
    {SDL_SCANCODE_KP_0, Same(vk::kNumpad0), Same(vk::kNumpad0)},
    {SDL_SCANCODE_KP_PERIOD, Same(vk::kDecimal), Same(vk::kDecimal)},
    {SDL_SCANCODE_NONUSBACKSLASH, Same(vk::kOem102), Same(vk::kOem102)},
    {SDL_SCANCODE_APPLICATION, Same(vk::kApps), Same(vk::kApps)},
    {SDL_SCANCODE_INTERNATIONAL1, Same(vk::kOem102), Same(vk::kOem102)},     // ろ
    {SDL_SCANCODE_INTERNATIONAL2, Same(vk::kDbeHiragana), Same(vk::kDbeHiragana)},  // カタカナ/ひらがな
    {SDL_SCANCODE_INTERNATIONAL3, Same(vk::kOem5), Same(vk::kOem5)},         // ¥
    {SDL_SCANCODE_INTERNATIONAL4, Same(vk::kConvert), Same(vk::kConvert)},   // 変換
    {SDL_SCANCODE_INTERNATIONAL5, Same(vk::kNonConvert), Same(vk::kNonConvert)},  // 無変換
    {SDL_SCANCODE_LANG1, Same(vk::kKana), Same(vk::kKana)},                  // かな (Mac JIS)
    {SDL_SCANCODE_LANG2, Same(vk::kDbeAlphanumeric), Same(vk::kDbeAlphanumeric)},  // 英数 (Mac JIS)
    {SDL_SCANCODE_LANG5, Same(vk::kDbeSbcsChar), Same(vk::kDbeSbcsChar)},    // 半角/全角
    {SDL_SCANCODE_LCTRL, Same(vk::kControl), Same(vk::kControl)},
    {SDL_SCANCODE_LSHIFT, Same(vk::kShift), Same(vk::kShift)},
    {SDL_SCANCODE_LALT, Same(vk::kMenu), Same(vk::kMenu)},
    {SDL_SCANCODE_LGUI, Same(vk::kLWin), Same(vk::kLWin)},
    {SDL_SCANCODE_RCTRL, Same(vk::kControl), Same(vk::kControl)},
    {SDL_SCANCODE_RSHIFT, Same(vk::kShift), Same(vk::kShift)},
    {SDL_SCANCODE_RALT, Same(vk::kMenu), Same(vk::kMenu)},
    {SDL_SCANCODE_RGUI, Same(vk::kRWin), Same(vk::kRWin)},
};

}  // namespace

KeyboardLayout DetectKeyboardLayout() {
  return SDL_GetKeyFromScancode(SDL_SCANCODE_LEFTBRACKET) == SDLK_AT ? KeyboardLayout::kJis : KeyboardLayout::kUs;
}

int VirtualKeyFromSdl(SDL_Scancode scancode, SDL_Keycode keycode, KeyboardLayout layout) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) return vk::kA + (keycode - SDLK_a);
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return vk::kA + (scancode - SDL_SCANCODE_A);
  // SDL orders the digit row 1..9, 0.
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return vk::k0 + 1 + (scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return vk::k0;
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) return vk::kF1 + (scancode - SDL_SCANCODE_F1);
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) return vk::kF1 + 12 + (scancode - SDL_SCANCODE_F13);
  for (const KeyRow& row : kKeys)
    if (row.scancode == scancode) return layout == KeyboardLayout::kJis ? row.jis : row.us;
  return 0;
}

}  // namespace rivo

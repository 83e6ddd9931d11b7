#pragma once
// Windows virtual-key codes, the key numbers the games' scripts test. Every
// back end reports keys in these codes (0-255).

#include <cstdint>
#include <optional>
#include <string_view>

namespace rivo::vk {

constexpr int kBack = 0x08;
constexpr int kTab = 0x09;
constexpr int kReturn = 0x0D;
constexpr int kShift = 0x10;
constexpr int kControl = 0x11;
constexpr int kMenu = 0x12;  // Alt
constexpr int kPause = 0x13;
constexpr int kCapital = 0x14;
constexpr int kKana = 0x15;
constexpr int kKanji = 0x19;
constexpr int kEscape = 0x1B;
constexpr int kConvert = 0x1C;     // 変換
constexpr int kNonConvert = 0x1D;  // 無変換
constexpr int kSpace = 0x20;
constexpr int kPrior = 0x21;  // Page Up
constexpr int kNext = 0x22;   // Page Down
constexpr int kEnd = 0x23;
constexpr int kHome = 0x24;
constexpr int kLeft = 0x25;
constexpr int kUp = 0x26;
constexpr int kRight = 0x27;
constexpr int kDown = 0x28;
constexpr int kSnapshot = 0x2C;
constexpr int kInsert = 0x2D;
constexpr int kDelete = 0x2E;
constexpr int k0 = 0x30;  // '0'..'9' are 0x30..0x39
constexpr int kA = 0x41;  // 'A'..'Z' are 0x41..0x5A
constexpr int kLWin = 0x5B;
constexpr int kRWin = 0x5C;
constexpr int kApps = 0x5D;
constexpr int kNumpad0 = 0x60;  // ..0x69
constexpr int kMultiply = 0x6A;
constexpr int kAdd = 0x6B;
constexpr int kSubtract = 0x6D;
constexpr int kDecimal = 0x6E;
constexpr int kDivide = 0x6F;
constexpr int kF1 = 0x70;  // F1..F24 are 0x70..0x87
constexpr int kNumLock = 0x90;
constexpr int kScroll = 0x91;
constexpr int kOem1 = 0xBA;       // US ";:"   JIS ":*"
constexpr int kOemPlus = 0xBB;    // US "=+"   JIS ";+"
constexpr int kOemComma = 0xBC;
constexpr int kOemMinus = 0xBD;
constexpr int kOemPeriod = 0xBE;
constexpr int kOem2 = 0xBF;       // "/?"
constexpr int kOem3 = 0xC0;       // US "`~"   JIS "@`"
constexpr int kOem4 = 0xDB;       // "[{"
constexpr int kOem5 = 0xDC;       // US "\|"   JIS "¥|"
constexpr int kOem6 = 0xDD;       // "]}"
constexpr int kOem7 = 0xDE;       // US "'\""  JIS "^~"
constexpr int kOem102 = 0xE2;     // JIS "\_" (ろ), the ISO key beside left Shift
constexpr int kDbeAlphanumeric = 0xF0;  // 英数
constexpr int kDbeHiragana = 0xF2;      // カタカナ/ひらがな
constexpr int kDbeSbcsChar = 0xF3;      // 半角/全角

// A key given by name, as input scripts write it: a decimal or "0x" code,
// a single letter or digit, or one of the names of docs/input-script.md
// ("Return", "Escape", "Left", "F5", ...). Names ignore case.
std::optional<int> FromName(std::string_view name);

}  // namespace rivo::vk

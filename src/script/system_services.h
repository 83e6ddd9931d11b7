#pragma once
// SystemServices: what the "@" system variables read from and write to in
// the rest of the player (the current call, the input of the active base,
// the clock, the screen, the message history, the display and the sound).
//
// Each part of the player answers its own questions by overriding these; an
// answer nobody gives yet is the neutral one below (0, false, empty), and a
// write nobody takes is dropped.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/display_modes.h"

namespace rivo {

class TCustomParam;

// The local date and time as the system variables show it.
struct CalendarTime {
  int32_t year = 0, month = 0, day = 0;
  int32_t week = 0;  // 1 = Sunday ... 7 = Saturday
  int32_t hour = 0, minute = 0, second = 0;
};

class SystemServices {
 public:
  virtual ~SystemServices() = default;

  // The current call: its result value (nullptr when there is no call),
  // its arguments, and the object whose event started the process.
  virtual TCustomParam* CallResult() { return nullptr; }
  virtual int32_t ParamCount() { return 0; }
  virtual std::string ParamStr(int32_t index) { return {}; }
  virtual std::string Sender() { return {}; }

  // Input of the base that has it. Keys are virtual-key codes 0-255.
  virtual bool LClick() { return false; }
  virtual void SetLClick(bool value) {}
  virtual bool RClick() { return false; }
  virtual void SetRClick(bool value) {}
  virtual bool LPush() { return false; }
  virtual bool RPush() { return false; }
  virtual int32_t MouseX() { return 0; }
  virtual void SetMouseX(int32_t x) {}
  virtual int32_t MouseY() { return 0; }
  virtual void SetMouseY(int32_t y) {}
  virtual bool KeyPush(int32_t key) { return false; }
  virtual bool KeyClick(int32_t key) { return false; }
  virtual bool KeyRepeat(int32_t key) { return false; }
  virtual bool WheelDown() { return false; }
  virtual bool WheelUp() { return false; }
  virtual std::string ActiveCompo() { return {}; }
  virtual void SetActiveCompo(const std::string& name) {}
  virtual bool CGDither() { return false; }
  virtual void SetCGDither(bool value) {}

  // The message history.
  virtual int32_t HistoryCount() { return 0; }
  virtual int32_t HistoryMaxCount() { return 0; }
  virtual void SetHistoryMaxCount(int32_t count) {}

  // The project, the clock and the fonts.
  virtual std::string Title() { return {}; }
  virtual int32_t ScreenWidth() { return 0; }
  virtual int32_t ScreenHeight() { return 0; }
  virtual int32_t TickCount() { return 0; }
  virtual int32_t PCTickCount() { return 0; }
  virtual int32_t UpdateCount() { return 0; }
  virtual CalendarTime Now() { return {}; }
  virtual std::string Fonts() { return {}; }
  virtual std::string FixedFonts() { return {}; }

  // The display and the sound.
  virtual bool FullScreen() { return false; }
  virtual void SetFullScreen(bool value) {}
  virtual int32_t DisplayModeCount() { return 0; }
  virtual int32_t DisplayModeIndex() { return 0; }
  virtual void SetDisplayModeIndex(int32_t index) {}
  // Display mode n of the list "@DisplayModeCount" counts; nothing when n is
  // outside it.
  virtual std::optional<DisplayMode> DisplayModeAt(int32_t n) { return std::nullopt; }
  // Whether the base of that name (the screen's base names) is the one that
  // has input now.
  virtual bool InPrimary(const std::string& base_name) { return false; }
  virtual bool SoundOn() { return false; }
  virtual void SetSoundOn(bool value) {}
  virtual std::string MidiPort() { return {}; }
  virtual void SetMidiPort(const std::string& name) {}
  virtual std::vector<std::string> MidiPorts() { return {}; }
};

}  // namespace rivo

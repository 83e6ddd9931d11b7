#pragma once
// Helpers shared by the script tests: a store with variables made in code,
// expressions compiled from text and run against it, and system services
// whose answers the test sets.

#include <map>
#include <string>
#include <vector>

#include "script/build_rivo_parser.h"
#include "script/kind_words.h"
#include "script/param_collection.h"
#include "script/param_factory.h"
#include "script/rivo_parser.h"
#include "script/system_services.h"

namespace rivo::testing {

// Adds a global variable of kind holding value (given as text, converted).
inline TParamCollectionItem& Declare(TParamCollection& store, const std::string& name, uint8_t kind,
                                     const std::string& value = "", uint8_t scope = VS_GLOBAL) {
  TParamCollectionItem* item = store.DeclareVariable(name, kind, scope);
  item->Param().SetStr(value);
  return *item;
}

// "integer:7", "real:3.5", "flag:TRUE", "string:a1" or "none".
inline std::string Show(const TCustomParam* value) {
  if (!value) return "none";
  return std::string(KindWord(value->GetKind())) + ":" + value->AsStr();
}

// Compiles and evaluates text; returns the result as Show gives it.
inline std::string Eval(TParamCollection& store, const std::string& text) {
  TRivoParser parser;
  CompileExpression(text, parser);
  parser.Evaluate(store);
  return Show(parser.Result());
}

inline std::string ValueOf(TParamCollection& store, const std::string& name) {
  TParamCollectionItem* item = store.Find(name);
  return item ? Show(&item->Param()) : "absent";
}

// System services whose answers are plain fields; writes land in them too.
class FakeServices : public SystemServices {
 public:
  TCustomParam* result = nullptr;
  std::vector<std::string> params;
  std::string sender, active_compo, title, fonts, fixed_fonts, midi_port;
  std::vector<std::string> midi_ports;
  bool lclick = false, rclick = false, lpush = false, rpush = false, wheel_down = false, wheel_up = false;
  bool full_screen = false, cg_dither = false, sound_on = false;
  int32_t mouse_x = 0, mouse_y = 0, history_count = 0, history_max = 0, width = 0, height = 0;
  int32_t ticks = 0, pc_ticks = 0, updates = 0, display_modes = 0, display_mode = 0;
  std::map<int32_t, bool> keys_pushed, keys_clicked, keys_repeated;
  CalendarTime now;
  std::vector<DisplayMode> mode_list;
  std::string primary_base;

  TCustomParam* CallResult() override { return result; }
  int32_t ParamCount() override { return static_cast<int32_t>(params.size()); }
  std::string ParamStr(int32_t i) override { return params.at(static_cast<std::size_t>(i)); }
  std::string Sender() override { return sender; }
  bool LClick() override { return lclick; }
  void SetLClick(bool v) override { lclick = v; }
  bool RClick() override { return rclick; }
  void SetRClick(bool v) override { rclick = v; }
  bool LPush() override { return lpush; }
  bool RPush() override { return rpush; }
  int32_t MouseX() override { return mouse_x; }
  void SetMouseX(int32_t v) override { mouse_x = v; }
  int32_t MouseY() override { return mouse_y; }
  void SetMouseY(int32_t v) override { mouse_y = v; }
  bool KeyPush(int32_t k) override { return keys_pushed[k]; }
  bool KeyClick(int32_t k) override { return keys_clicked[k]; }
  bool KeyRepeat(int32_t k) override { return keys_repeated[k]; }
  bool WheelDown() override { return wheel_down; }
  bool WheelUp() override { return wheel_up; }
  std::string ActiveCompo() override { return active_compo; }
  void SetActiveCompo(const std::string& v) override { active_compo = v; }
  bool CGDither() override { return cg_dither; }
  void SetCGDither(bool v) override { cg_dither = v; }
  int32_t HistoryCount() override { return history_count; }
  int32_t HistoryMaxCount() override { return history_max; }
  void SetHistoryMaxCount(int32_t v) override { history_max = v; }
  std::string Title() override { return title; }
  int32_t ScreenWidth() override { return width; }
  int32_t ScreenHeight() override { return height; }
  int32_t TickCount() override { return ticks; }
  int32_t PCTickCount() override { return pc_ticks; }
  int32_t UpdateCount() override { return updates; }
  CalendarTime Now() override { return now; }
  std::string Fonts() override { return fonts; }
  std::string FixedFonts() override { return fixed_fonts; }
  bool FullScreen() override { return full_screen; }
  void SetFullScreen(bool v) override { full_screen = v; }
  int32_t DisplayModeCount() override { return display_modes; }
  int32_t DisplayModeIndex() override { return display_mode; }
  void SetDisplayModeIndex(int32_t v) override { display_mode = v; }
  std::optional<DisplayMode> DisplayModeAt(int32_t n) override {
    if (n < 0 || n >= static_cast<int32_t>(mode_list.size())) return std::nullopt;
    return mode_list[static_cast<std::size_t>(n)];
  }
  bool InPrimary(const std::string& name) override { return name == primary_base; }
  bool SoundOn() override { return sound_on; }
  void SetSoundOn(bool v) override { sound_on = v; }
  std::string MidiPort() override { return midi_port; }
  void SetMidiPort(const std::string& v) override { midi_port = v; }
  std::vector<std::string> MidiPorts() override { return midi_ports; }
};

}  // namespace rivo::testing

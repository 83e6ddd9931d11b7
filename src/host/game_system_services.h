#pragma once
// The system variables the host answers, on top of those of the
// interpreter: the input of the shown base (mouse, clicks, keys, wheel,
// focus, "InPrimary"), the display ("@FullScr", "@DisplayModeCount",
// "@DisplayModeIndex", "GetDisplayMode"), the pointer moves of "@MouseX" and
// "@MouseY", and the media system's switches ("@SoundON", "@MidiPort",
// "@MidiPorts").

#include "scenario/scenario_system_services.h"

namespace rivo {

struct PlayerContext;
class TScreenManager;
class TRivoBase;
class TMediaSystem;

class GameSystemServices : public ScenarioSystemServices {
 public:
  explicit GameSystemServices(PlayerContext& ctx) : ctx_(ctx) {}

  void SetMouseX(int32_t x) override;
  void SetMouseY(int32_t y) override;
  bool FullScreen() override;
  void SetFullScreen(bool on) override;
  int32_t DisplayModeCount() override;
  int32_t DisplayModeIndex() override;
  // An index outside the mode list is ignored.
  void SetDisplayModeIndex(int32_t index) override;
  std::optional<DisplayMode> DisplayModeAt(int32_t n) override;
  bool LClick() override;
  void SetLClick(bool value) override;
  bool RClick() override;
  void SetRClick(bool value) override;
  bool LPush() override;
  bool RPush() override;
  int32_t MouseX() override;
  int32_t MouseY() override;
  bool KeyPush(int32_t key) override;
  bool KeyClick(int32_t key) override;
  bool KeyRepeat(int32_t key) override;
  bool WheelDown() override;
  bool WheelUp() override;
  std::string ActiveCompo() override;
  // Only a visible control that takes keys and is not paused gets the focus.
  void SetActiveCompo(const std::string& name) override;
  bool InPrimary(const std::string& base_name) override;
  bool SoundOn() override;
  void SetSoundOn(bool on) override;
  std::string MidiPort() override;
  void SetMidiPort(const std::string& name) override;
  std::vector<std::string> MidiPorts() override;

 private:
  TScreenManager* Manager() const;
  TRivoBase* Base() const;
  TMediaSystem* Media() const;

  PlayerContext& ctx_;
  bool sound_on_ = true;  // before the media start (and kept for them)
};

}  // namespace rivo

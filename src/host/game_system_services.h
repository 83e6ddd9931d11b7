#pragma once
// The system variables the host answers, on top of those of the
// interpreter: the display ("@FullScr", "@DisplayModeCount",
// "@DisplayModeIndex", "GetDisplayMode"), the pointer moves of "@MouseX" and
// "@MouseY", and "@SoundON", kept here until the sound managers take it.

#include "scenario/scenario_system_services.h"

namespace rivo {

struct PlayerContext;
class TScreenManager;

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
  bool SoundOn() override { return sound_on_; }
  void SetSoundOn(bool on) override { sound_on_ = on; }

 private:
  TScreenManager* Manager() const;

  PlayerContext& ctx_;
  bool sound_on_ = true;
};

}  // namespace rivo

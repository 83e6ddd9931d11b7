#pragma once
// The machine-dependent choices of "game.ini" in the game folder (the
// original player looks beside its executable, which there is the game
// folder; ours lives elsewhere).

#include <filesystem>

#include "host/ini_file.h"

namespace rivo {

struct Settings {
  bool UseDirectSound = true;  // [Sound] DirectSound
  int32_t SoundDelayMs = 500;  // [Sound] DelayTime
  bool UseWmp = false;         // [Video] UseWMP
  // [Sound] SoundFont: the General MIDI font (relative to the game folder);
  // --soundfont overrides it, and without either Debian's font is used.
  std::filesystem::path SoundFont;
};

// Whole hundreds, 100 to 500: 250 is used as 200, 50 as 100, 900 as 500.
int32_t NormaliseSoundDelay(int32_t delay_ms);

// game_folder: where a relative sound font name is looked for.
Settings ReadSettings(const IniFile& ini, const std::filesystem::path& game_folder = {});
// The defaults when the folder has no "game.ini".
Settings LoadSettings(const std::filesystem::path& game_folder);

}  // namespace rivo

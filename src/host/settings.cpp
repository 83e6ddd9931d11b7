#include "host/settings.h"

#include <algorithm>

#include "host/game_files.h"

namespace rivo {

int32_t NormaliseSoundDelay(int32_t delay_ms) { return std::clamp(delay_ms / 100 * 100, 100, 500); }

Settings ReadSettings(const IniFile& ini) {
  Settings s;
  s.UseDirectSound = ini.ReadBool("Sound", "DirectSound", s.UseDirectSound);
  s.SoundDelayMs = NormaliseSoundDelay(ini.ReadInteger("Sound", "DelayTime", s.SoundDelayMs));
  s.UseWmp = ini.ReadBool("Video", "UseWMP", s.UseWmp);
  return s;
}

Settings LoadSettings(const std::filesystem::path& game_folder) {
  std::optional<std::filesystem::path> file = FindInFolder(game_folder, "game.ini");
  std::optional<IniFile> ini = file ? IniFile::Load(*file) : std::nullopt;
  return ini ? ReadSettings(*ini) : Settings{};
}

}  // namespace rivo

#include "host/settings.h"

#include <algorithm>

#include "common/encoding.h"
#include "host/game_files.h"

namespace rivo {

int32_t NormaliseSoundDelay(int32_t delay_ms) { return std::clamp(delay_ms / 100 * 100, 100, 500); }

Settings ReadSettings(const IniFile& ini, const std::filesystem::path& game_folder) {
  Settings s;
  s.UseDirectSound = ini.ReadBool("Sound", "DirectSound", s.UseDirectSound);
  s.SoundDelayMs = NormaliseSoundDelay(ini.ReadInteger("Sound", "DelayTime", s.SoundDelayMs));
  s.UseWmp = ini.ReadBool("Video", "UseWMP", s.UseWmp);
  if (std::optional<std::string> font = ini.ReadString("Sound", "SoundFont"); font && !font->empty())
    s.SoundFont = game_folder / std::filesystem::path(Cp932ToUtf8(*font));
  return s;
}

Settings LoadSettings(const std::filesystem::path& game_folder) {
  std::optional<std::filesystem::path> file = FindInFolder(game_folder, "game.ini");
  std::optional<IniFile> ini = file ? IniFile::Load(*file) : std::nullopt;
  return ini ? ReadSettings(*ini, game_folder) : Settings{};
}

}  // namespace rivo

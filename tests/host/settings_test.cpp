// Reading "game.ini".

#include "host/settings.h"

#include <fstream>

#include <gtest/gtest.h>

#include "platform/private_temp_folder.h"

namespace rivo {
namespace {

struct SettingsCase {
  const char* ini;
  bool direct_sound;
  int32_t delay;
  bool wmp;
};

TEST(Settings, ReadsTheThreeSettingsWithTheirDefaultsAndTheDelayRule) {
  const SettingsCase cases[] = {
      {"", true, 500, false},
      {"[Sound]\nDirectSound=0\nDelayTime=300\n[Video]\nUseWMP=1\n", false, 300, true},
      {"[Sound]\nDelayTime=250\n", true, 200, false},   // down to whole hundreds
      {"[Sound]\nDelayTime=50\n", true, 100, false},    // at least 100
      {"[Sound]\nDelayTime=900\n", true, 500, false},   // at most 500
      {"[Sound]\nDelayTime=-250\n", true, 100, false},
      {"[Sound]\nDelayTime=abc\n", true, 500, false},   // not a number: the default
      {"[Sound]\nDelayTime=\n", true, 500, false},
      {"[Sound]\nDelayTime=99999999999\n", true, 500, false},  // does not fit: the default
      {"[Sound]\nDelayTime=$12C\n", true, 300, false},  // hexadecimal, as the profile reader takes it
      {"[Sound]\nDelayTime=0x190\n", true, 400, false},
      {"[Sound]\nDirectSound=2\n", true, 500, false},   // any non-zero integer is true
      {"[Sound]\nDirectSound=-1\n", true, 500, false},
      {"[Sound]\nDirectSound=abc\n", true, 500, false}, // not a number: the default
      {"[Video]\nUseWMP=yes\n", true, 500, false},
      {"[sound]\ndirectsound=0\n[VIDEO]\nusewmp=1\n", false, 500, true},  // names ignore case
      {"  [ Sound ]  \r\n  DelayTime  =  400  \r\n", true, 400, false},   // blanks and CRLF
      {"[Sound]\nDelayTime=\"300\"\n", true, 300, false},                  // quotes
      {"[Sound]\n;DelayTime=100\nDelayTime=300\n", true, 300, false},      // comments
      {"[Sound]\nDelayTime=300\nDelayTime=100\n", true, 300, false},       // the first key counts
      {"[Sound]\nDelayTime=300\n[Sound]\nDirectSound=0\n", true, 300, false},  // and the first section
      {"DelayTime=100\n[Video]\nDelayTime=100\n", true, 500, false},       // outside its section
      {"[Sound]\nDelayTime 300\nDirectSound\n", true, 500, false},         // lines without '='
  };
  for (const SettingsCase& c : cases) {
    SCOPED_TRACE(c.ini);
    Settings s = ReadSettings(IniFile::Parse(c.ini));
    EXPECT_EQ(s.UseDirectSound, c.direct_sound);
    EXPECT_EQ(s.SoundDelayMs, c.delay);
    EXPECT_EQ(s.UseWmp, c.wmp);
  }
}

TEST(Settings, TheSoundFontIsFoundFromTheGameFolder) {
  const std::filesystem::path game = "/games/one";
  EXPECT_EQ(ReadSettings(IniFile::Parse(""), game).SoundFont, "");
  EXPECT_EQ(ReadSettings(IniFile::Parse("[Sound]\nSoundFont=\n"), game).SoundFont, "");
  EXPECT_EQ(ReadSettings(IniFile::Parse("[Sound]\nsoundfont=fonts/gm.sf2\n"), game).SoundFont, "/games/one/fonts/gm.sf2");
  EXPECT_EQ(ReadSettings(IniFile::Parse("[Sound]\nSoundFont=/usr/share/gm.sf2\n"), game).SoundFont, "/usr/share/gm.sf2");
}

TEST(Settings, ComeFromGameIniInTheGameFolderWhateverTheCaseOfItsName) {
  PrivateTempFolder folder;
  EXPECT_EQ(LoadSettings(folder.Path()).SoundDelayMs, 500);  // no file: the defaults
  std::ofstream(folder.Path() / "GAME.INI") << "[Sound]\r\nDelayTime=200\r\n";
  EXPECT_EQ(LoadSettings(folder.Path()).SoundDelayMs, 200);
}

}  // namespace
}  // namespace rivo

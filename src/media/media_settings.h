#pragma once
// The choices of "game.ini" that select the media paths.

#include <cstdint>
#include <filesystem>

namespace rivo {

struct MediaSettings {
  bool UseDirectSound = true;  // false: ogg and wave sounds go through TWavOut
  int32_t SoundDelayMs = 500;  // TWavOut's block length
  bool UseWmp = false;         // movies through the movie control
  std::filesystem::path SoundFont;  // the General MIDI font; empty: Debian's
};

}  // namespace rivo

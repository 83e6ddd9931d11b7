// "game.ini" from arbitrary bytes: any text reads, and the settings always
// come out inside their ranges.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  Settings s = ReadSettings(IniFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size)));
  if (s.SoundDelayMs < 100 || s.SoundDelayMs > 500 || s.SoundDelayMs % 100 != 0) __builtin_trap();
  return 0;
}

#pragma once
// The display modes a full-screen game may choose from, as the machine
// reports them. The player always shows its picture on the desktop's own
// mode (full screen is the desktop with the picture letterboxed), so a mode
// is only a choice a game can read back and store, never a mode switch.

#include <cstdint>
#include <vector>

namespace rivo {

struct DisplayMode {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t bits = 0;     // colour depth; 32 for every four-byte pixel format
  uint32_t refresh = 0;  // Hz; 0 = the driver's default
  bool operator==(const DisplayMode&) const = default;
};

class DisplayModeSource {
 public:
  virtual ~DisplayModeSource() = default;
  // Every mode of the display the window is on, in the order the system lists them.
  virtual std::vector<DisplayMode> ListModes() = 0;
  // The desktop's colour depth; 24 when it cannot be read.
  virtual uint32_t DesktopBits() = 0;
};

}  // namespace rivo

#pragma once
// The display modes SDL lists for the first display, as the player counts
// colour depths: every four-byte format is 32 bits (SDL calls XRGB 24).

#include "platform/display_modes.h"

namespace rivo {

class SdlDisplayModes final : public DisplayModeSource {
 public:
  std::vector<DisplayMode> ListModes() override;
  uint32_t DesktopBits() override;
};

}  // namespace rivo

#pragma once
// Which display modes a game may use in full screen, and which one it uses
// unless the game picks another: modes at least as large as the game's
// screen and of at least 16 bits; the chosen one is the first listed,
// unless a mode of the project's preferred full-screen size exists; among
// those the desktop's depth wins, and at that depth the lowest refresh rate
// (the safest for old monitors).

#include <cstdint>
#include <vector>

#include "platform/display_modes.h"

namespace rivo {

struct DisplayModeChoice {
  std::vector<DisplayMode> modes;  // in the order the system listed them
  int32_t chosen = -1;             // index into modes; -1 when there is none
};

// preferred_w x preferred_h: the project's full-screen size (0 x 0: none).
DisplayModeChoice ChooseDisplayModes(const std::vector<DisplayMode>& listed, int32_t screen_w, int32_t screen_h,
                                     int32_t preferred_w, int32_t preferred_h, uint32_t desktop_bits);

}  // namespace rivo

#include "media/display_mode_choice.h"

namespace rivo {
namespace {

constexpr uint32_t kLowestDepth = 16;

bool HasSize(const DisplayMode& m, int32_t w, int32_t h) {
  return static_cast<int64_t>(m.width) == w && static_cast<int64_t>(m.height) == h;
}

}  // namespace

DisplayModeChoice ChooseDisplayModes(const std::vector<DisplayMode>& listed, int32_t screen_w, int32_t screen_h,
                                     int32_t preferred_w, int32_t preferred_h, uint32_t desktop_bits) {
  DisplayModeChoice choice;
  for (const DisplayMode& m : listed) {
    if (static_cast<int64_t>(m.width) < screen_w || static_cast<int64_t>(m.height) < screen_h ||
        m.bits < kLowestDepth)
      continue;
    choice.modes.push_back(m);
    int32_t index = static_cast<int32_t>(choice.modes.size()) - 1;
    if (choice.chosen < 0) {
      choice.chosen = index;
      continue;
    }
    const DisplayMode& chosen = choice.modes[static_cast<std::size_t>(choice.chosen)];
    if (!HasSize(m, preferred_w, preferred_h)) continue;
    if (!HasSize(chosen, preferred_w, preferred_h) ||
        (m.bits == desktop_bits && (chosen.bits != desktop_bits || m.refresh < chosen.refresh)))
      choice.chosen = index;
  }
  return choice;
}

}  // namespace rivo

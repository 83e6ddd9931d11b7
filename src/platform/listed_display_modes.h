#pragma once
// Display modes given as a list: the modes of headless runs, and of tests
// that need a display of a particular kind.

#include <utility>

#include "platform/display_modes.h"

namespace rivo {

class ListedDisplayModes final : public DisplayModeSource {
 public:
  ListedDisplayModes(std::vector<DisplayMode> modes, uint32_t desktop_bits)
      : modes_(std::move(modes)), desktop_bits_(desktop_bits) {}

  std::vector<DisplayMode> ListModes() override { return modes_; }
  uint32_t DesktopBits() override { return desktop_bits_; }

 private:
  std::vector<DisplayMode> modes_;
  uint32_t desktop_bits_;
};

// The display of headless runs: a 32-bit desktop with a few common sizes at
// 60 Hz, the same on every machine so that runs are reproducible.
inline std::vector<DisplayMode> HeadlessDisplayModes() {
  return {{640, 480, 32, 60}, {800, 600, 32, 60}, {1024, 768, 32, 60}, {1280, 720, 32, 60}, {1920, 1080, 32, 60}};
}

}  // namespace rivo

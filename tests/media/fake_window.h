#pragma once
// A window that records what it is asked to do.

#include <string>
#include <vector>

#include "platform/window.h"

namespace rivo::testing_media {

class FakeWindow final : public Window {
 public:
  struct Presented {
    std::vector<DisplayRect> rects;
    uint32_t first_pixel = 0;
  };

  void Present(const PixelView& frame, std::span<const DisplayRect> changed) override {
    presents.push_back({{changed.begin(), changed.end()}, frame.width > 0 ? frame.At(0, 0) : 0});
    frame_width = frame.width;
    frame_height = frame.height;
  }
  void SetTitle(const std::string&) override {}
  bool SetFullScreen(bool on) override {
    full_screen = on && allow_full_screen;
    return full_screen;
  }
  bool IsFullScreen() const override { return full_screen; }
  DisplayPoint MousePosition() const override { return pointer; }
  void WarpMouse(DisplayPoint p) override { pointer = p; }
  void SetCursor(const std::string& name, const CursorImage* image) override {
    cursors.push_back(image ? name + " " + std::to_string(image->width) + "x" + std::to_string(image->height)
                            : "arrow");
  }

  std::vector<Presented> presents;
  int32_t frame_width = 0, frame_height = 0;
  bool full_screen = false;
  bool allow_full_screen = true;
  DisplayPoint pointer;
  std::vector<std::string> cursors;
};

}  // namespace rivo::testing_media

#pragma once
// The window of headless runs: nothing is shown, but the picture the window
// would show is kept (only the changed rectangles are copied into it, as a
// real display would get them), for screenshots and for tests.

#include "platform/window.h"

namespace rivo {

// What a headless "display" shows; owned by the platform so that it outlives
// the window for the dumps made at the end of a run.
struct HeadlessDisplay {
  FrameBuffer shown;
  bool has_frame = false;  // something has been presented
  bool full_screen = false;
  DisplayPoint pointer;
};

class HeadlessWindow final : public Window {
 public:
  HeadlessWindow(HeadlessDisplay& display, const WindowSpec& spec);

  void Present(const FrameBuffer& frame, std::span<const DisplayRect> changed) override;
  void SetTitle(const std::string&) override {}
  bool SetFullScreen(bool on) override { return display_.full_screen = on; }
  bool IsFullScreen() const override { return display_.full_screen; }
  DisplayPoint MousePosition() const override { return display_.pointer; }
  void WarpMouse(DisplayPoint p) override { display_.pointer = p; }

 private:
  HeadlessDisplay& display_;
};

}  // namespace rivo

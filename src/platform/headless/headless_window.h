#pragma once
// The window of headless runs: nothing is shown, but the picture the window
// would show is kept (only the changed rectangles are copied into it, as a
// real display would get them), for screenshots and for tests.

#include <optional>
#include <string>

#include "platform/window.h"

namespace rivo {

// What a headless "display" shows; owned by the platform so that it outlives
// the window for the dumps made at the end of a run.
struct HeadlessDisplay {
  FrameBuffer shown;
  bool has_frame = false;  // something has been presented
  bool full_screen = false;
  DisplayPoint pointer;
  // A warp the frame loop has not yet seen as a pointer move.
  std::optional<DisplayPoint> warped;
  // The pointer picture's name; empty for the system's arrow.
  std::string cursor_name;
};

class HeadlessWindow final : public Window {
 public:
  HeadlessWindow(HeadlessDisplay& display, const WindowSpec& spec);

  void Present(const PixelView& frame, std::span<const DisplayRect> changed) override;
  void SetTitle(const std::string&) override {}
  bool SetFullScreen(bool on) override { return display_.full_screen = on; }
  bool IsFullScreen() const override { return display_.full_screen; }
  DisplayPoint MousePosition() const override { return display_.pointer; }
  // The virtual pointer jumps there, and the move reaches the player as a
  // real warp's would.
  void WarpMouse(DisplayPoint p) override { display_.pointer = p, display_.warped = p; }
  void SetCursor(const std::string& name, const CursorImage*) override { display_.cursor_name = name; }

 private:
  HeadlessDisplay& display_;
};

}  // namespace rivo

#pragma once
// The player's window: the game screen below a 22-pixel tool bar strip with
// the buttons "終了" and "画面切替", or the screen alone in full screen.

#include <cstdint>
#include <span>
#include <string>

#include "platform/cursor_image.h"
#include "platform/frame_buffer.h"

namespace rivo {

struct WindowSpec {
  int32_t screen_width = 0;
  int32_t screen_height = 0;
  std::string title_utf8 = "RivoPlayer";
  int32_t scale = 1;  // windowed size multiplier
  bool full_screen = false;
};

class Window {
 public:
  virtual ~Window() = default;
  // frame is screen-sized. Only the changed rectangles are copied to the
  // display; the whole picture is shown.
  virtual void Present(const PixelView& frame, std::span<const DisplayRect> changed) = 0;
  virtual void SetTitle(const std::string& title_utf8) = 0;
  // Returns the state the window is in afterwards.
  virtual bool SetFullScreen(bool on) = 0;
  virtual bool IsFullScreen() const = 0;
  // The pointer in panel coordinates (last known position), and moving it.
  virtual DisplayPoint MousePosition() const = 0;
  virtual void WarpMouse(DisplayPoint panel_position) = 0;
  // The pointer over the game screen: the picture named `name`, or the
  // system's arrow when image is null. The name identifies the picture: a
  // back end may keep what it made for a name and reuse it.
  virtual void SetCursor(const std::string& name, const CursorImage* image) = 0;
};

}  // namespace rivo

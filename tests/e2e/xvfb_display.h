#pragma once
// A private X server (Xvfb) for tests that play a game in a real window:
// the test starts it, runs the player on it, looks at what the server shows
// and moves and presses the pointer through the XTEST extension, as a
// person at the screen would.

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace rivo::e2e {

struct ScreenRect {
  int32_t left = 0, top = 0, width = 0, height = 0;
  unsigned long window = 0;  // the X window
};

class XvfbDisplay {
 public:
  // Starts a server of the given size; Ok() tells whether it came up.
  XvfbDisplay(int32_t width, int32_t height);
  ~XvfbDisplay();
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;

  bool Ok() const { return display_ != nullptr; }
  // Why the server did not come up.
  const std::string& Problem() const { return problem_; }
  // ":N", for DISPLAY.
  const std::string& Name() const { return name_; }

  // The topmost window shown on the screen, in screen coordinates.
  std::optional<ScreenRect> TopWindow();
  // Gives the topmost window the whole screen, as a window manager does
  // for a window that asks for full screen (a bare X server has none).
  void FillScreen();
  // The colour shown at a screen pixel, 0x00RRGGBB.
  uint32_t PixelAt(int32_t x, int32_t y);
  // The pointer moves to a screen pixel and the left button goes down and
  // up there, each step delivered before the next.
  void Click(int32_t x, int32_t y);
  void MoveTo(int32_t x, int32_t y);

 private:
  void* display_ = nullptr;  // Display*, kept out of the header with Xlib's macros
  pid_t server_ = -1;
  std::string name_;
  std::string problem_;
};

// Polls until done() holds or the seconds have passed; true when it held.
bool WaitUntil(const std::function<bool()>& done, double seconds);

}  // namespace rivo::e2e

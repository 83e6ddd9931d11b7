#pragma once
// Where the game screen and the tool bar land in a window's output, and the
// way back from a pointer position to panel coordinates. Pure arithmetic,
// shared by every back end that shows a picture.
//
// Windowed, the canvas is the 22-pixel tool bar strip above the screen; in
// full screen it is the screen alone, letterboxed: scaled by the largest
// whole factor that fits, or, when even 1:1 does not fit, shrunk keeping
// its proportions. The tool bar then appears over the top of the display
// while the pointer rests on the top line.

#include <cstdint>

#include "platform/frame_buffer.h"

namespace rivo {

constexpr int32_t kToolbarHeight = 22;  // button height 18 + 4
constexpr int32_t kToolbarButtonWidth = 67;
constexpr int32_t kToolbarButtonHeight = 18;

enum class ToolbarButton { kNone, kQuit, kToggleFullScreen };

struct Viewport {
  // screen: the game screen size; output: the window's drawable size.
  static Viewport Windowed(int32_t screen_w, int32_t screen_h, int32_t output_w, int32_t output_h);
  static Viewport FullScreen(int32_t screen_w, int32_t screen_h, int32_t output_w, int32_t output_h,
                             bool toolbar_shown);

  // Output position to panel coordinates; positions off the screen map to
  // coordinates outside it (negative, or beyond the size), rounding down.
  DisplayPoint ToPanel(int32_t x, int32_t y) const;
  // The output pixel that shows panel pixel (x, y) (its top-left corner).
  DisplayPoint FromPanel(int32_t x, int32_t y) const;
  ToolbarButton ButtonAt(int32_t x, int32_t y) const;
  DisplayRect ButtonRect(ToolbarButton button) const;

  int32_t screen_width = 0;
  int32_t screen_height = 0;
  DisplayRect screen;   // the game screen, in output pixels
  DisplayRect toolbar;  // the tool bar strip, in output pixels; empty when hidden
  int32_t toolbar_scale = 1;
};

}  // namespace rivo

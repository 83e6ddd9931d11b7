#pragma once
// TScreenManager: the display side of the player. It keeps the display modes
// a game may choose for full screen (and the chosen one), switches the
// window between windowed and full screen, owns the drawing surface the
// screen composes into, and presents the changed parts of that surface
// every drawn frame.
//
// Full screen is the desktop's own mode with the picture letterboxed and
// scaled by the window; the mode list only tells games what they may pick,
// and the chosen mode is what they read back. So the drawing surface never
// changes: it is one 32-bit surface of the screen's size for the whole run,
// and everything that draws keeps a reference to it.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "graphics/dibx.h"
#include "graphics/rect.h"
#include "platform/display_modes.h"
#include "platform/window.h"

namespace rivo {

class TScreenManager {
 public:
  static constexpr int32_t kNoMode = -2;      // CurrentMode before set-up and after ReleaseSurfaces
  static constexpr int32_t kWindowMode = -1;  // CurrentMode in the window

  // window may be null (nothing is shown; presentation only counts).
  // preferred: the project's full-screen size, 0 x 0 when it gives none.
  TScreenManager(DisplayModeSource& modes, Window* window, int32_t screen_width, int32_t screen_height,
                 int32_t preferred_width, int32_t preferred_height);
  TScreenManager(const TScreenManager&) = delete;
  TScreenManager& operator=(const TScreenManager&) = delete;

  int32_t ModeCount() const { return static_cast<int32_t>(modes_.size()); }
  // Mode n, or nothing when n is outside the list.
  std::optional<DisplayMode> GetMode(int32_t n) const;
  int32_t ChosenMode() const { return chosen_mode_; }
  // A mode index outside the list is ignored (returns false).
  bool SetChosenMode(int32_t n);
  int32_t CurrentMode() const { return current_mode_; }
  bool FullScreen() const { return full_screen_; }
  // Every surface of the game is a 32-bit memory surface.
  int32_t ScreenBits() const { return 32; }
  bool MemorySurfaces() const { return true; }
  uint32_t DesktopBits() const { return desktop_bits_; }

  // Switches to the window (kWindowMode) or to full screen with mode index.
  // A full screen the window refuses, or an index outside the list, leaves
  // the player in the window: CurrentMode is then kWindowMode, which the
  // caller compares with ChosenMode to learn whether it worked.
  void SetMode(int32_t index);
  // Before a display change: CurrentMode becomes kNoMode. The drawing
  // surface stays, pixels and all.
  void ReleaseSurfaces() { current_mode_ = kNoMode; }

  TDIBX& DrawSurface() { return draw_surface_; }
  const TDIBX& DrawSurface() const { return draw_surface_; }
  PixelView DrawSurfacePixels() const;

  // Shows the frame: while a transition runs (present_rect not empty) its
  // rectangle, otherwise every non-empty dirty rectangle of the shown page.
  // Counts every presentation.
  void Present(std::span<const TRect> dirty, const TRect& present_rect);
  int32_t PresentCount() const { return present_count_; }
  void ResetPresentCount() { present_count_ = 0; }

 private:
  Window* window_;
  std::vector<DisplayMode> modes_;
  int32_t chosen_mode_ = -1;
  int32_t current_mode_ = kNoMode;
  bool full_screen_ = false;
  uint32_t desktop_bits_ = 24;
  TDIBX draw_surface_;
  int32_t present_count_ = 0;
};

}  // namespace rivo

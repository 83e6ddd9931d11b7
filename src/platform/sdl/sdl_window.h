#pragma once
// The SDL window: a streaming texture of the game screen, drawn through the
// software renderer (the player blends every pixel itself, so the renderer
// only copies), below the tool bar strip, or letterboxed in full screen.

#include <SDL.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/font_rasteriser.h"
#include "platform/input_event.h"
#include "platform/toolbar_picture.h"
#include "platform/viewport.h"
#include "platform/window.h"

namespace rivo {

class SdlWindow final : public Window {
 public:
  // Throws PlatformError when SDL cannot make the window.
  explicit SdlWindow(const WindowSpec& spec);
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;
  ~SdlWindow() override;

  void Present(const PixelView& frame, std::span<const DisplayRect> changed) override;
  void SetTitle(const std::string& title_utf8) override;
  bool SetFullScreen(bool on) override;
  bool IsFullScreen() const override { return full_screen_; }
  DisplayPoint MousePosition() const override { return pointer_; }
  void WarpMouse(DisplayPoint panel_position) override;
  void SetCursor(const std::string& name, const CursorImage* image) override;

  // Turns a mouse or window event of this window into the player's event;
  // tool bar clicks become tool bar requests. Nothing when the event is the
  // window's own business (exposure, tool bar hover, a click beside the screen).
  std::optional<InputEvent> Translate(const SDL_Event& event);
  Uint32 Id() const { return SDL_GetWindowID(window_); }

  // What the window shows, read back from the display at its own size
  // (for tests and diagnostics).
  FrameBuffer ReadBack() const;

 private:
  void Redraw();
  void DrawToolbar(const Viewport& v);
  Viewport CurrentViewport() const;
  // A position in window coordinates to output pixels (they differ on high-density displays).
  DisplayPoint ToOutput(int32_t x, int32_t y) const;
  std::optional<InputEvent> TranslateMouse(const SDL_Event& event);

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int32_t screen_width_;
  int32_t screen_height_;
  int32_t scale_;
  bool full_screen_ = false;
  bool toolbar_shown_in_full_screen_ = false;
  ToolbarButton pressed_button_ = ToolbarButton::kNone;
  uint32_t buttons_held_ = 0;  // SDL button mask of presses that began on the screen
  DisplayPoint pointer_;
  // Colour cursors made so far, by name; freed with the window.
  std::map<std::string, SDL_Cursor*> cursors_;
  SDL_Cursor* arrow_ = nullptr;
  // The captions' fonts; nullptr when FreeType cannot start (plain buttons).
  std::unique_ptr<FontRasteriser> caption_fonts_;
  ToolbarPicture toolbar_{nullptr};
  SDL_Texture* toolbar_texture_ = nullptr;  // the strip's size; made anew when that changes
};

}  // namespace rivo

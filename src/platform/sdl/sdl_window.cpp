#include "platform/sdl/sdl_window.h"

#include <algorithm>

#include "platform/freetype_rasteriser.h"
#include "platform/platform_error.h"

namespace rivo {
namespace {

[[noreturn]] void Fail(const char* what) { throw PlatformError(std::string(what) + ": " + SDL_GetError()); }

SDL_Rect ToSdl(const DisplayRect& r) { return {r.Left, r.Top, r.Width(), r.Height()}; }

// FreeType for the tool bar's captions; without it the buttons stay plain.
std::unique_ptr<FontRasteriser> OpenCaptionFonts() {
  try {
    return std::make_unique<FreeTypeRasteriser>();
  } catch (const PlatformError&) {
    return nullptr;
  }
}

}  // namespace

SdlWindow::SdlWindow(const WindowSpec& spec)
    : screen_width_(std::max(1, spec.screen_width)),
      screen_height_(std::max(1, spec.screen_height)),
      scale_(std::max(1, spec.scale)),
      caption_fonts_(OpenCaptionFonts()),
      toolbar_(caption_fonts_.get()) {
  // Integer scaling stays sharp; the player's own pixels are never smoothed.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  window_ = SDL_CreateWindow(spec.title_utf8.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             screen_width_ * scale_, (screen_height_ + kToolbarHeight) * scale_, SDL_WINDOW_HIDDEN);
  if (!window_) Fail("cannot open the window");
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) {
    SDL_DestroyWindow(window_);
    Fail("cannot draw into the window");
  }
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, screen_width_,
                               screen_height_);
  if (!texture_) {
    SDL_DestroyRenderer(renderer_);
    SDL_DestroyWindow(window_);
    Fail("cannot make the screen texture");
  }
  // The texture starts black, as the game screen does.
  FrameBuffer black(screen_width_, screen_height_);
  SDL_UpdateTexture(texture_, nullptr, black.pixels.data(), screen_width_ * 4);
  SDL_DisableScreenSaver();
  // Text input would hand keys to an input method instead of the game.
  SDL_StopTextInput();
  SDL_ShowWindow(window_);
  if (spec.full_screen) SetFullScreen(true);
  Redraw();
}

SdlWindow::~SdlWindow() {
  SDL_SetCursor(SDL_GetDefaultCursor());
  for (auto& [name, cursor] : cursors_) SDL_FreeCursor(cursor);
  if (arrow_) SDL_FreeCursor(arrow_);
  if (toolbar_texture_) SDL_DestroyTexture(toolbar_texture_);
  SDL_DestroyTexture(texture_);
  SDL_DestroyRenderer(renderer_);
  SDL_DestroyWindow(window_);
  SDL_EnableScreenSaver();
}

void SdlWindow::Present(const PixelView& frame, std::span<const DisplayRect> changed) {
  if (frame.width != screen_width_ || frame.height != screen_height_) return;
  for (DisplayRect r : changed) {
    r.Left = std::max(r.Left, 0);
    r.Top = std::max(r.Top, 0);
    r.Right = std::min(r.Right, screen_width_);
    r.Bottom = std::min(r.Bottom, screen_height_);
    if (r.Empty()) continue;
    SDL_Rect rect = ToSdl(r);
    SDL_UpdateTexture(texture_, &rect, &frame.At(r.Left, r.Top), frame.pitch * 4);
  }
  Redraw();
}

void SdlWindow::SetTitle(const std::string& title_utf8) { SDL_SetWindowTitle(window_, title_utf8.c_str()); }

bool SdlWindow::SetFullScreen(bool on) {
  if (on == full_screen_) return full_screen_;
  if (SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0) {
    full_screen_ = on;
    toolbar_shown_in_full_screen_ = false;
  }
  // Back in (or still in) a window, it gets its own size again: not every
  // video driver restores it when full screen ends.
  if (!full_screen_) SDL_SetWindowSize(window_, screen_width_ * scale_, (screen_height_ + kToolbarHeight) * scale_);
  Redraw();
  return full_screen_;
}

void SdlWindow::WarpMouse(DisplayPoint p) {
  DisplayPoint out = CurrentViewport().FromPanel(p.x, p.y);
  int ww = 0, wh = 0, ow = 0, oh = 0;
  SDL_GetWindowSize(window_, &ww, &wh);
  SDL_GetRendererOutputSize(renderer_, &ow, &oh);
  if (ow <= 0 || oh <= 0) return;
  SDL_WarpMouseInWindow(window_, out.x * ww / ow, out.y * wh / oh);
  pointer_ = p;
}

void SdlWindow::SetCursor(const std::string& name, const CursorImage* image) {
  if (!image) {
    if (!arrow_) arrow_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    SDL_SetCursor(arrow_ ? arrow_ : SDL_GetDefaultCursor());
    return;
  }
  auto found = cursors_.find(name);
  if (found == cursors_.end()) {
    if (image->width <= 0 || image->height <= 0 ||
        image->argb.size() != static_cast<std::size_t>(image->width) * image->height)
      return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(image->argb.data()), image->width,
                                                              image->height, 32, image->width * 4,
                                                              SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    SDL_Cursor* cursor = SDL_CreateColorCursor(surface, image->hot_x, image->hot_y);
    SDL_FreeSurface(surface);
    // A driver without colour cursors keeps the pointer it has.
    if (!cursor) return;
    found = cursors_.emplace(name, cursor).first;
  }
  SDL_SetCursor(found->second);
}

Viewport SdlWindow::CurrentViewport() const {
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer_, &w, &h);
  return full_screen_ ? Viewport::FullScreen(screen_width_, screen_height_, w, h, toolbar_shown_in_full_screen_)
                      : Viewport::Windowed(screen_width_, screen_height_, w, h);
}

DisplayPoint SdlWindow::ToOutput(int32_t x, int32_t y) const {
  int ww = 0, wh = 0, ow = 0, oh = 0;
  SDL_GetWindowSize(window_, &ww, &wh);
  SDL_GetRendererOutputSize(renderer_, &ow, &oh);
  if (ww <= 0 || wh <= 0) return {x, y};
  return {static_cast<int32_t>(int64_t{x} * ow / ww), static_cast<int32_t>(int64_t{y} * oh / wh)};
}

void SdlWindow::Redraw() {
  Viewport v = CurrentViewport();
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_Rect dest = ToSdl(v.screen);
  SDL_RenderCopy(renderer_, texture_, nullptr, &dest);
  if (!v.toolbar.Empty()) DrawToolbar(v);
  SDL_RenderPresent(renderer_);
}

void SdlWindow::DrawToolbar(const Viewport& v) {
  const FrameBuffer& picture = toolbar_.Draw(v, pressed_button_);
  int w = 0, h = 0;
  if (toolbar_texture_) SDL_QueryTexture(toolbar_texture_, nullptr, nullptr, &w, &h);
  if (!toolbar_texture_ || w != picture.width || h != picture.height) {
    if (toolbar_texture_) SDL_DestroyTexture(toolbar_texture_);
    toolbar_texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                         picture.width, picture.height);
    if (!toolbar_texture_) return;
  }
  SDL_UpdateTexture(toolbar_texture_, nullptr, picture.pixels.data(), picture.width * 4);
  SDL_Rect dest = ToSdl(v.toolbar);
  SDL_RenderCopy(renderer_, toolbar_texture_, nullptr, &dest);
}

std::optional<InputEvent> SdlWindow::Translate(const SDL_Event& event) {
  if (event.type == SDL_WINDOWEVENT) {
    switch (event.window.event) {
      case SDL_WINDOWEVENT_EXPOSED:
      case SDL_WINDOWEVENT_SIZE_CHANGED:
        Redraw();
        return std::nullopt;
      case SDL_WINDOWEVENT_FOCUS_GAINED: return InputEvent{.kind = InputKind::kFocusGained};
      case SDL_WINDOWEVENT_FOCUS_LOST: return InputEvent{.kind = InputKind::kFocusLost};
      case SDL_WINDOWEVENT_CLOSE: return InputEvent{.kind = InputKind::kCloseRequest};
      default: return std::nullopt;
    }
  }
  return TranslateMouse(event);
}

std::optional<InputEvent> SdlWindow::TranslateMouse(const SDL_Event& event) {
  InputEvent e;
  switch (event.type) {
    case SDL_MOUSEMOTION: {
      DisplayPoint out = ToOutput(event.motion.x, event.motion.y);
      // In full screen the tool bar shows when the pointer comes to the top
      // line, and stays while the pointer is over it, so its buttons can be
      // pressed.
      const bool show = event.motion.y == 0 ||
                        (toolbar_shown_in_full_screen_ && CurrentViewport().toolbar.Contains(out.x, out.y));
      if (full_screen_ && toolbar_shown_in_full_screen_ != show) {
        toolbar_shown_in_full_screen_ = show;
        Redraw();
      }
      Viewport v = CurrentViewport();
      if (!v.screen.Contains(out.x, out.y) && buttons_held_ == 0) return std::nullopt;
      pointer_ = v.ToPanel(out.x, out.y);
      e.kind = InputKind::kMouseMove;
      e.x = pointer_.x;
      e.y = pointer_.y;
      return e;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      bool down = event.type == SDL_MOUSEBUTTONDOWN;
      DisplayPoint out = ToOutput(event.button.x, event.button.y);
      Viewport v = CurrentViewport();
      ToolbarButton over = v.ButtonAt(out.x, out.y);
      Uint32 mask = SDL_BUTTON(event.button.button);
      if (down && over != ToolbarButton::kNone && event.button.button == SDL_BUTTON_LEFT) {
        pressed_button_ = over;
        Redraw();
        return std::nullopt;
      }
      if (!down && pressed_button_ != ToolbarButton::kNone && event.button.button == SDL_BUTTON_LEFT) {
        // A tool bar button acts when it is released over itself, as buttons do.
        ToolbarButton pressed = pressed_button_;
        pressed_button_ = ToolbarButton::kNone;
        Redraw();
        if (over != pressed) return std::nullopt;
        return InputEvent{.kind = pressed == ToolbarButton::kQuit ? InputKind::kToolbarQuit
                                                                  : InputKind::kToolbarToggleFullScreen};
      }
      if (event.button.button == SDL_BUTTON_LEFT) e.button = MouseButton::kLeft;
      else if (event.button.button == SDL_BUTTON_RIGHT) e.button = MouseButton::kRight;
      else if (event.button.button == SDL_BUTTON_MIDDLE) e.button = MouseButton::kMiddle;
      else return std::nullopt;
      if (down) {
        if (!v.screen.Contains(out.x, out.y)) return std::nullopt;
        buttons_held_ |= mask;
      } else {
        buttons_held_ &= ~mask;
      }
      pointer_ = v.ToPanel(out.x, out.y);
      e.kind = down ? InputKind::kMouseDown : InputKind::kMouseUp;
      e.x = pointer_.x;
      e.y = pointer_.y;
      return e;
    }
    case SDL_MOUSEWHEEL: {
      int y = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      if (y == 0) return std::nullopt;
      e.kind = InputKind::kWheel;
      e.wheel_down = y < 0;
      return e;
    }
    default: return std::nullopt;
  }
}

FrameBuffer SdlWindow::ReadBack() const {
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer_, &w, &h);
  FrameBuffer out(w, h);
  if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, out.pixels.data(), w * 4) != 0)
    Fail("cannot read the window back");
  return out;
}

}  // namespace rivo

#include "media/screen_manager.h"

#include "media/display_mode_choice.h"

namespace rivo {
namespace {

DisplayRect ToDisplay(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

}  // namespace

TScreenManager::TScreenManager(DisplayModeSource& modes, Window* window, int32_t screen_width,
                               int32_t screen_height, int32_t preferred_width, int32_t preferred_height)
    : window_(window) {
  desktop_bits_ = modes.DesktopBits();
  DisplayModeChoice choice =
      ChooseDisplayModes(modes.ListModes(), screen_width, screen_height, preferred_width, preferred_height,
                         desktop_bits_);
  modes_ = std::move(choice.modes);
  chosen_mode_ = choice.chosen;
  draw_surface_.SetSize(screen_width, screen_height, ScreenBits());
  SetMode(kWindowMode);
}

std::optional<DisplayMode> TScreenManager::GetMode(int32_t n) const {
  if (n < 0 || n >= ModeCount()) return std::nullopt;
  return modes_[static_cast<std::size_t>(n)];
}

bool TScreenManager::SetChosenMode(int32_t n) {
  if (n < 0 || n >= ModeCount()) return false;
  chosen_mode_ = n;
  return true;
}

void TScreenManager::SetMode(int32_t index) {
  if (index == current_mode_) return;
  if (index >= ModeCount() || index < kWindowMode) index = kWindowMode;
  bool want_full = index >= 0;
  bool is_full = window_ ? window_->SetFullScreen(want_full) : want_full;
  if (want_full && !is_full) index = kWindowMode;
  current_mode_ = index;
  full_screen_ = index >= 0;
}

PixelView TScreenManager::DrawSurfacePixels() const {
  const TDIBSurface& store = draw_surface_.Store();
  return {reinterpret_cast<const uint32_t*>(store.Bits()), store.Width(), store.Height(), store.RowLength() / 4};
}

void TScreenManager::Present(std::span<const TRect> dirty, const TRect& present_rect) {
  std::vector<DisplayRect> shown;
  if (present_rect.IsEmpty()) {
    for (const TRect& r : dirty)
      if (!r.IsEmpty()) shown.push_back(ToDisplay(r));
  } else {
    shown.push_back(ToDisplay(present_rect));
  }
  if (window_) window_->Present(DrawSurfacePixels(), shown);
  ++present_count_;
}

}  // namespace rivo

#include "platform/viewport.h"

#include <algorithm>

namespace rivo {
namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The largest whole scale of a canvas that fits the output, at least 1.
int32_t WholeScale(int32_t canvas_w, int32_t canvas_h, int32_t output_w, int32_t output_h) {
  if (canvas_w <= 0 || canvas_h <= 0) return 1;
  return std::max(1, std::min(output_w / canvas_w, output_h / canvas_h));
}

// A canvas_w x canvas_h picture centred in the output, as large as fits.
DisplayRect Letterbox(int32_t canvas_w, int32_t canvas_h, int32_t output_w, int32_t output_h) {
  int64_t w = canvas_w, h = canvas_h;
  if (canvas_w > 0 && canvas_h > 0) {
    if (canvas_w <= output_w && canvas_h <= output_h) {
      int32_t k = WholeScale(canvas_w, canvas_h, output_w, output_h);
      w = int64_t{canvas_w} * k;
      h = int64_t{canvas_h} * k;
    } else if (int64_t{output_w} * canvas_h <= int64_t{output_h} * canvas_w) {
      w = output_w;
      h = std::max<int64_t>(1, int64_t{output_w} * canvas_h / canvas_w);
    } else {
      h = output_h;
      w = std::max<int64_t>(1, int64_t{output_h} * canvas_w / canvas_h);
    }
  }
  int32_t left = static_cast<int32_t>((output_w - w) / 2);
  int32_t top = static_cast<int32_t>((output_h - h) / 2);
  return {left, top, left + static_cast<int32_t>(w), top + static_cast<int32_t>(h)};
}

}  // namespace

Viewport Viewport::Windowed(int32_t screen_w, int32_t screen_h, int32_t output_w, int32_t output_h) {
  Viewport v;
  v.screen_width = screen_w;
  v.screen_height = screen_h;
  DisplayRect canvas = Letterbox(screen_w, screen_h + kToolbarHeight, output_w, output_h);
  int32_t strip = screen_h + kToolbarHeight > 0
                      ? static_cast<int32_t>(int64_t{canvas.Height()} * kToolbarHeight / (screen_h + kToolbarHeight))
                      : 0;
  v.toolbar = {canvas.Left, canvas.Top, canvas.Right, canvas.Top + strip};
  v.screen = {canvas.Left, canvas.Top + strip, canvas.Right, canvas.Bottom};
  v.toolbar_scale = std::max(1, strip / kToolbarHeight);
  return v;
}

Viewport Viewport::FullScreen(int32_t screen_w, int32_t screen_h, int32_t output_w, int32_t output_h,
                              bool toolbar_shown) {
  Viewport v;
  v.screen_width = screen_w;
  v.screen_height = screen_h;
  v.screen = Letterbox(screen_w, screen_h, output_w, output_h);
  v.toolbar_scale = screen_w > 0 ? std::max(1, v.screen.Width() / screen_w) : 1;
  if (toolbar_shown) v.toolbar = {0, 0, output_w, kToolbarHeight * v.toolbar_scale};
  return v;
}

DisplayPoint Viewport::ToPanel(int32_t x, int32_t y) const {
  if (screen.Empty()) return {x, y};
  return {static_cast<int32_t>(FloorDiv(int64_t{x - screen.Left} * screen_width, screen.Width())),
          static_cast<int32_t>(FloorDiv(int64_t{y - screen.Top} * screen_height, screen.Height()))};
}

DisplayPoint Viewport::FromPanel(int32_t x, int32_t y) const {
  if (screen_width <= 0 || screen_height <= 0) return {x, y};
  // The first output pixel whose ToPanel gives x: ceil(x * W / w).
  auto first = [](int64_t p, int64_t out, int64_t in) { return -FloorDiv(-p * out, in); };
  return {screen.Left + static_cast<int32_t>(first(x, screen.Width(), screen_width)),
          screen.Top + static_cast<int32_t>(first(y, screen.Height(), screen_height))};
}

DisplayRect Viewport::ButtonRect(ToolbarButton button) const {
  if (toolbar.Empty() || button == ToolbarButton::kNone) return {};
  int32_t k = toolbar_scale;
  int32_t left = toolbar.Left + (button == ToolbarButton::kQuit ? 0 : kToolbarButtonWidth * k);
  int32_t top = toolbar.Top + 2 * k;
  return {left, top, left + kToolbarButtonWidth * k, top + kToolbarButtonHeight * k};
}

ToolbarButton Viewport::ButtonAt(int32_t x, int32_t y) const {
  for (ToolbarButton b : {ToolbarButton::kQuit, ToolbarButton::kToggleFullScreen})
    if (ButtonRect(b).Contains(x, y)) return b;
  return ToolbarButton::kNone;
}

}  // namespace rivo

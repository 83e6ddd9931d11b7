#include "platform/headless/headless_window.h"

#include <algorithm>
#include <cstring>

namespace rivo {

HeadlessWindow::HeadlessWindow(HeadlessDisplay& display, const WindowSpec& spec) : display_(display) {
  display_.shown = FrameBuffer(spec.screen_width, spec.screen_height);
  display_.has_frame = false;
  display_.full_screen = spec.full_screen;
}

void HeadlessWindow::Present(const PixelView& frame, std::span<const DisplayRect> changed) {
  FrameBuffer& shown = display_.shown;
  if (frame.width != shown.width || frame.height != shown.height) {
    shown = FrameBuffer(frame.width, frame.height);
    for (int32_t y = 0; y < frame.height; ++y)
      std::memcpy(&shown.At(0, y), &frame.At(0, y), sizeof(uint32_t) * static_cast<std::size_t>(frame.width));
  } else {
    for (DisplayRect r : changed) {
      r.Left = std::max(r.Left, 0);
      r.Top = std::max(r.Top, 0);
      r.Right = std::min(r.Right, frame.width);
      r.Bottom = std::min(r.Bottom, frame.height);
      if (r.Empty()) continue;
      for (int32_t y = r.Top; y < r.Bottom; ++y)
        std::memcpy(&shown.At(r.Left, y), &frame.At(r.Left, y), sizeof(uint32_t) * static_cast<std::size_t>(r.Width()));
    }
  }
  display_.has_frame = true;
}

}  // namespace rivo

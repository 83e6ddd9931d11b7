#include "platform/sdl/sdl_event_source.h"

#include <algorithm>

namespace rivo {

std::optional<InputEvent> SdlEventSource::WaitEvent(uint64_t deadline_ms) {
  for (;;) {
    uint64_t now = clock_.NowMs();
    if (now >= deadline_ms) return std::nullopt;
    SDL_Event event;
    int timeout = static_cast<int>(std::min<uint64_t>(deadline_ms - now, 1000));
    if (!SDL_WaitEventTimeout(&event, timeout)) continue;
    if (std::optional<InputEvent> e = Translate(event)) return e;
  }
}

std::optional<InputEvent> SdlEventSource::Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT: return InputEvent{.kind = InputKind::kCloseRequest};
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      int key = VirtualKeyFromSdl(event.key.keysym.scancode, event.key.keysym.sym, layout_);
      if (key == 0) return std::nullopt;
      return InputEvent{.kind = event.type == SDL_KEYDOWN ? InputKind::kKeyDown : InputKind::kKeyUp,
                        .key = key,
                        .repeat = event.key.repeat != 0};
    }
    case SDL_KEYMAPCHANGED:
      layout_ = DetectKeyboardLayout();
      return std::nullopt;
    case SDL_WINDOWEVENT:
      if (!window_ || event.window.windowID != window_->Id()) return std::nullopt;
      return window_->Translate(event);
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
      if (!window_) return std::nullopt;
      return window_->Translate(event);
    default: return std::nullopt;
  }
}

}  // namespace rivo

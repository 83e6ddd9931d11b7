#pragma once
// Waiting for SDL events until the next tick's deadline, and turning them
// into the player's events: keys through the virtual-key table, mouse and
// window events through the window they belong to.

#include "platform/clock.h"
#include "platform/event_source.h"
#include "platform/sdl/sdl_key_map.h"
#include "platform/sdl/sdl_window.h"

namespace rivo {

class SdlEventSource final : public EventSource {
 public:
  explicit SdlEventSource(Clock& clock) : clock_(clock), layout_(DetectKeyboardLayout()) {}

  std::optional<InputEvent> WaitEvent(uint64_t deadline_ms) override;
  // The window whose mouse events are translated (nullptr when none is open).
  void SetWindow(SdlWindow* window) { window_ = window; }

 private:
  std::optional<InputEvent> Translate(const SDL_Event& event);

  Clock& clock_;
  KeyboardLayout layout_;
  SdlWindow* window_ = nullptr;
};

}  // namespace rivo

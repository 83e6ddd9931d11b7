#include "platform/sdl/sdl_platform.h"

#include <SDL.h>

#include "platform/platform_error.h"
#include "platform/sdl/sdl_audio_device.h"
#include "platform/sdl/sdl_display_modes.h"
#include "platform/sdl/sdl_event_source.h"
#include "platform/sdl/sdl_message_boxes.h"
#include "platform/sdl/sdl_window.h"
#include "platform/silent_audio_device.h"

namespace rivo {
namespace {

// Tells the platform when the window goes, so no event is routed to it after.
class OwnedSdlWindow final : public Window {
 public:
  OwnedSdlWindow(std::unique_ptr<SdlWindow> window, SdlEventSource& events, SdlMessageBoxes& boxes)
      : window_(std::move(window)), events_(events), boxes_(boxes) {
    events_.SetWindow(window_.get());
  }
  ~OwnedSdlWindow() override {
    events_.SetWindow(nullptr);
    boxes_.SetParent(nullptr);
  }
  void Present(const PixelView& frame, std::span<const DisplayRect> changed) override {
    window_->Present(frame, changed);
  }
  void SetTitle(const std::string& title) override { window_->SetTitle(title); }
  bool SetFullScreen(bool on) override { return window_->SetFullScreen(on); }
  bool IsFullScreen() const override { return window_->IsFullScreen(); }
  DisplayPoint MousePosition() const override { return window_->MousePosition(); }
  void WarpMouse(DisplayPoint p) override { window_->WarpMouse(p); }
  void SetCursor(const std::string& name, const CursorImage* image) override { window_->SetCursor(name, image); }

 private:
  std::unique_ptr<SdlWindow> window_;
  SdlEventSource& events_;
  SdlMessageBoxes& boxes_;
};

class SdlPlatform final : public Platform {
 public:
  explicit SdlPlatform(std::ostream& log) : log_(log), events_(clock_), boxes_(log) {}
  ~SdlPlatform() override { SDL_Quit(); }

  Clock& GetClock() override { return clock_; }
  EventSource& Events() override { return events_; }
  MessageBoxes& Boxes() override { return boxes_; }
  uint32_t TickIntervalMs() const override { return 15; }
  DisplayModeSource& DisplayModes() override { return modes_; }

  std::unique_ptr<AudioDevice> OpenAudio() override { return OpenSdlAudio(log_); }

  std::unique_ptr<Window> OpenWindow(const WindowSpec& spec) override {
    auto window = std::make_unique<SdlWindow>(spec);
    boxes_.SetParent(SDL_GetWindowFromID(window->Id()));
    return std::make_unique<OwnedSdlWindow>(std::move(window), events_, boxes_);
  }

 private:
  std::ostream& log_;
  SteadyClock clock_;
  SdlEventSource events_;
  SdlMessageBoxes boxes_;
  SdlDisplayModes modes_;
};

}  // namespace

std::unique_ptr<AudioDevice> OpenSdlAudio(std::ostream& log) {
  if (std::unique_ptr<SdlAudioDevice> device = SdlAudioDevice::Open()) return device;
  log << "rivoplay: no sound device (" << SDL_GetError() << "); playing without sound\n";
  return std::make_unique<SilentAudioDevice>();
}

std::unique_ptr<Platform> CreateSdlPlatform(std::ostream& log) {
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
    throw PlatformError(std::string("cannot open a display: ") + SDL_GetError() + " (--headless runs without one)");
  return std::make_unique<SdlPlatform>(log);
}

}  // namespace rivo

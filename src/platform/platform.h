#pragma once
// The machine as the player sees it. One back end is chosen at start: the
// SDL one (window, sound, real clock) or the headless one (no window, no
// sound device, virtual clock, scripted input).

#include <memory>

#include "platform/audio_device.h"
#include "platform/clock.h"
#include "platform/display_modes.h"
#include "platform/event_source.h"
#include "platform/message_boxes.h"
#include "platform/window.h"

namespace rivo {

class Platform {
 public:
  virtual ~Platform() = default;

  virtual Clock& GetClock() = 0;
  virtual EventSource& Events() = 0;
  virtual MessageBoxes& Boxes() = 0;
  // Never null: a back end without sound returns a silent device.
  virtual std::unique_ptr<AudioDevice> OpenAudio() = 0;
  // Throws PlatformError when no window can be made. Windows and sound
  // devices must be destroyed before the platform that made them.
  virtual std::unique_ptr<Window> OpenWindow(const WindowSpec& spec) = 0;
  // The display modes of the screen the window is on.
  virtual DisplayModeSource& DisplayModes() = 0;
  // The length of one frame tick on this platform's clock.
  virtual uint32_t TickIntervalMs() const = 0;
};

}  // namespace rivo

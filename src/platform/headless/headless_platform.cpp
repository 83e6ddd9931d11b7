#include "platform/headless/headless_platform.h"

#include "platform/headless/null_audio_device.h"

namespace rivo {

HeadlessPlatform::HeadlessPlatform(HeadlessOptions options)
    : tick_ms_(options.tick_ms == 0 ? 1 : options.tick_ms),
      boxes_(*options.out),
      events_(clock_, std::move(options.script), boxes_, display_, *options.log),
      modes_(std::move(options.display_modes), options.desktop_bits) {}

HeadlessPlatform::~HeadlessPlatform() { events_.FinishScreenshots(); }

std::unique_ptr<AudioDevice> HeadlessPlatform::OpenAudio() { return std::make_unique<NullAudioDevice>(clock_); }

std::unique_ptr<Window> HeadlessPlatform::OpenWindow(const WindowSpec& spec) {
  return std::make_unique<HeadlessWindow>(display_, spec);
}

}  // namespace rivo

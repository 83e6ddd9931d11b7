#pragma once
// The back end of headless runs (--headless): no window, no sound device, a
// virtual clock with a fixed tick, scripted input, message boxes on
// standard output, frames written as PNG. Every run is reproducible.

#include <iostream>
#include <memory>
#include <vector>

#include "platform/headless/console_message_boxes.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/input_script.h"
#include "platform/headless/scripted_events.h"
#include "platform/headless/virtual_clock.h"
#include "platform/listed_display_modes.h"
#include "platform/platform.h"

namespace rivo {

struct HeadlessOptions {
  uint32_t tick_ms = 15;
  std::vector<ScriptAction> script;
  std::ostream* out = &std::cout;  // MSGBOX lines
  std::ostream* log = &std::cerr;  // warnings
  std::vector<DisplayMode> display_modes = HeadlessDisplayModes();
  uint32_t desktop_bits = 32;
};

class HeadlessPlatform final : public Platform {
 public:
  explicit HeadlessPlatform(HeadlessOptions options);
  // Writes the screenshots still due.
  ~HeadlessPlatform() override;

  Clock& GetClock() override { return clock_; }
  EventSource& Events() override { return events_; }
  MessageBoxes& Boxes() override { return boxes_; }
  std::unique_ptr<AudioDevice> OpenAudio() override;
  std::unique_ptr<Window> OpenWindow(const WindowSpec& spec) override;
  DisplayModeSource& DisplayModes() override { return modes_; }
  uint32_t TickIntervalMs() const override { return tick_ms_; }

  const HeadlessDisplay& Display() const { return display_; }
  uint64_t TicksReached() const { return events_.TicksReached(); }

 private:
  uint32_t tick_ms_;
  VirtualClock clock_;
  HeadlessDisplay display_;
  ConsoleMessageBoxes boxes_;
  ScriptedEvents events_;
  ListedDisplayModes modes_;
};

}  // namespace rivo

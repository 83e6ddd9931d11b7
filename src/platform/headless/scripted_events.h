#pragma once
// The event source of headless runs. Each time the frame loop waits for its
// next deadline, the script's actions for the coming tick are carried out
// first: answers go to the message boxes (all of the tick's answers before
// any of its events, so a box that an event opens finds them), then input
// events go to the loop one by one, then the virtual clock jumps to the
// deadline. Tick N is the N-th deadline reached.

#include <cstddef>
#include <ostream>
#include <vector>

#include "platform/event_source.h"
#include "platform/headless/console_message_boxes.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/input_script.h"
#include "platform/headless/virtual_clock.h"

namespace rivo {

class ScriptedEvents final : public EventSource {
 public:
  ScriptedEvents(VirtualClock& clock, std::vector<ScriptAction> script, ConsoleMessageBoxes& boxes,
                 HeadlessDisplay& display, std::ostream& log);

  std::optional<InputEvent> WaitEvent(uint64_t deadline_ms) override;
  // Writes the screenshots of every tick that has run (at the end of a run).
  void FinishScreenshots() { WriteScreenshots(ticks_reached_); }
  uint64_t TicksReached() const { return ticks_reached_; }

 private:
  void WriteScreenshots(uint64_t up_to_tick);

  VirtualClock& clock_;
  std::vector<ScriptAction> events_;
  std::vector<ScriptAction> answers_;
  std::size_t next_event_ = 0;
  std::size_t next_answer_ = 0;
  ConsoleMessageBoxes& boxes_;
  HeadlessDisplay& display_;
  std::ostream& log_;
  uint64_t ticks_reached_ = 0;
  std::vector<ScriptAction> screenshots_;
};

}  // namespace rivo

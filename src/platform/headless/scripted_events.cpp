#include "platform/headless/scripted_events.h"

#include <exception>

#include "platform/png_writer.h"

namespace rivo {

ScriptedEvents::ScriptedEvents(VirtualClock& clock, std::vector<ScriptAction> script, ConsoleMessageBoxes& boxes,
                               HeadlessDisplay& display, std::ostream& log)
    : clock_(clock), boxes_(boxes), display_(display), log_(log) {
  for (ScriptAction& action : script) {
    if (std::holds_alternative<InputEvent>(action.what)) events_.push_back(std::move(action));
    else if (std::holds_alternative<MessageAnswer>(action.what)) answers_.push_back(std::move(action));
    else screenshots_.push_back(std::move(action));
  }
}

std::optional<InputEvent> ScriptedEvents::WaitEvent(uint64_t deadline_ms) {
  // The loop is back waiting, so every tick reached so far has run.
  WriteScreenshots(ticks_reached_);
  uint64_t coming = ticks_reached_ + 1;
  for (; next_answer_ < answers_.size() && answers_[next_answer_].tick <= coming; ++next_answer_)
    boxes_.QueueAnswer(std::get<MessageAnswer>(answers_[next_answer_].what));
  if (display_.warped) {
    DisplayPoint p = *display_.warped;
    display_.warped.reset();
    return InputEvent{.kind = InputKind::kMouseMove, .x = p.x, .y = p.y};
  }
  if (next_event_ < events_.size() && events_[next_event_].tick <= coming) {
    const InputEvent& e = std::get<InputEvent>(events_[next_event_++].what);
    if (e.kind == InputKind::kMouseMove || e.kind == InputKind::kMouseDown || e.kind == InputKind::kMouseUp)
      display_.pointer = {e.x, e.y};
    return e;
  }
  clock_.AdvanceTo(deadline_ms);
  ++ticks_reached_;
  return std::nullopt;
}

void ScriptedEvents::WriteScreenshots(uint64_t up_to_tick) {
  std::erase_if(screenshots_, [&](const ScriptAction& shot) {
    if (shot.tick > up_to_tick) return false;
    const auto& file = std::get<ScriptScreenshot>(shot.what).file;
    try {
      if (!display_.has_frame) log_ << "rivoplay: no frame had been shown by tick " << shot.tick << "; "
                                    << file.string() << " not written\n";
      else WritePng(display_.shown, file);
    } catch (const std::exception& e) {
      log_ << "rivoplay: " << e.what() << "\n";
    }
    return true;
  });
}

}  // namespace rivo

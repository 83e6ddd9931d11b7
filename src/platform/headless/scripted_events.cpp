#include "platform/headless/scripted_events.h"

#include <exception>

#include "platform/png_writer.h"

namespace rivo {

ScriptedEvents::ScriptedEvents(VirtualClock& clock, std::vector<ScriptAction> script, ConsoleMessageBoxes& boxes,
                               HeadlessDisplay& display, std::ostream& log)
    : clock_(clock), script_(std::move(script)), boxes_(boxes), display_(display), log_(log) {}

std::optional<InputEvent> ScriptedEvents::WaitEvent(uint64_t deadline_ms) {
  // The loop is back waiting, so every tick reached so far has run.
  WriteScreenshots(ticks_reached_);
  while (next_ < script_.size() && script_[next_].tick <= ticks_reached_ + 1) {
    ScriptAction& action = script_[next_++];
    if (auto* e = std::get_if<InputEvent>(&action.what)) {
      if (e->kind == InputKind::kMouseMove || e->kind == InputKind::kMouseDown || e->kind == InputKind::kMouseUp)
        display_.pointer = {e->x, e->y};
      return *e;
    }
    if (auto* answer = std::get_if<MessageAnswer>(&action.what)) boxes_.QueueAnswer(*answer);
    else screenshots_.push_back(std::move(action));
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

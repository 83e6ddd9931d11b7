#pragma once
// The input script of headless runs (--input FILE): one timed action per
// line. The format is described in docs/input-script.md.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/input_event.h"
#include "platform/message_boxes.h"

namespace rivo {

// A screenshot of the frame shown after the tick has run.
struct ScriptScreenshot {
  std::filesystem::path file;
};

struct ScriptAction {
  uint64_t tick = 0;  // the action happens before tick number `tick` (from 1) runs
  std::variant<InputEvent, MessageAnswer, ScriptScreenshot> what;
};

// Parses a whole script; actions come out sorted by tick, keeping the file's
// order within a tick. Throws PlatformError naming the line on bad input.
std::vector<ScriptAction> ParseInputScript(std::string_view text);
std::vector<ScriptAction> LoadInputScript(const std::filesystem::path& file);

}  // namespace rivo

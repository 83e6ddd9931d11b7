#pragma once
// The interpreter's section of a game save: the current page and position
// with their flags, the sender and arguments, the call stack and the
// current command's state record. Frames refer to pages and senders by
// name, so a save names nothing that only lived in this run.
//
// Writing: TCallMan::SaveToStream. Reading happens in two steps: the whole
// section is read into an InterpreterRecord (the running interpreter does
// not change), and TCallMan::Restore takes it over once every other section
// of the save has been read as well.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "scenario/stack_list.h"

namespace rivo {

class ByteReader;
class ByteWriter;

// A frame as saved: the frame (without its sender) and the sender's name.
struct SavedFrame {
  TStack frame;
  std::string sender;
};

struct InterpreterRecord {
  std::string page;  // empty: nothing runs
  int32_t pc = 0;
  bool run_on = false;
  bool started = false;
  int32_t state = 0;
  std::string sender;
  std::vector<std::string> args;
  std::vector<SavedFrame> frames;  // bottom first
  int32_t event_level = 2;
  // The current command's state record, when it was started.
  std::optional<std::string> command_state;
};

// How many frames event dispatches pushed, as the interpreter's state
// tells: none in the main process, one while a first-level handler runs,
// and one per level below EventLevel while handlers wait or nest.
int32_t HandlerFrameCount(int32_t state, int32_t event_level);

// Writes one frame; the scratch frame and every stacked frame use it.
void WriteSavedFrame(ByteWriter& out, const TStack& frame, const std::string& sender);

// The current command's state record is written without a length: only the
// command knows where it ends. command_state reads it from in (for the
// record's page and pc) and returns its bytes, or nullopt when the page has
// no command there.
using CommandStateReader = std::function<std::optional<std::string>(const InterpreterRecord&, ByteReader& in)>;

// Reads the section of a save of that version. Damaged data (a state
// outside 0..3, negative or oversized counts and lengths, an unknown return
// value kind, fewer frames than the running handlers need: an interpreter
// in that state would never leave its tick) throws LoadError.
InterpreterRecord ReadInterpreterRecord(ByteReader& in, int32_t version, const CommandStateReader& command_state);

}  // namespace rivo

#include "scenario/interpreter_record.h"

#include <algorithm>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "script/param_factory.h"

namespace rivo {
namespace {

// The smallest frame: page name, return pc, two flags, result variable,
// argument count, sender, state size, return value kind.
constexpr std::size_t kMinFrameBytes = 4 + 4 + 1 + 1 + 4 + 4 + 4 + 4 + 1;

void WriteArgs(ByteWriter& out, const std::vector<std::string>& args) {
  out.I32(static_cast<int32_t>(args.size()));
  for (const std::string& arg : args) out.String(arg);
}

std::vector<std::string> ReadArgs(ByteReader& in) {
  std::vector<std::string> args(in.Count(in.I32(), 4));
  for (std::string& arg : args) arg = in.String();
  return args;
}

SavedFrame ReadSavedFrame(ByteReader& in) {
  SavedFrame saved;
  TStack& frame = saved.frame;
  frame.PageName = in.String();
  frame.ReturnPc = in.I32();
  frame.Started = in.Bool();
  frame.RunOn = in.Bool();
  frame.ResultVariable = in.String();
  frame.Args = ReadArgs(in);
  saved.sender = in.String();
  const std::size_t state_size = in.Count(in.I32(), 1);
  if (state_size > 0) frame.StateStream = in.Bytes(state_size);
  if (const uint8_t kind = in.U8(); kind != 0) {
    if (!IsValueKind(kind)) in.Fail("unknown return value kind " + std::to_string(kind));
    frame.ReturnValue = MakeParam(kind, nullptr);
    frame.ReturnValue->LoadFromStream(in);
  }
  return saved;
}

}  // namespace

int32_t HandlerFrameCount(int32_t state, int32_t event_level) {
  switch (state) {
    case 0: return 0;
    case 1: return 1;
    default: return std::max(1, event_level - 1);
  }
}

void WriteSavedFrame(ByteWriter& out, const TStack& frame, const std::string& sender) {
  out.String(frame.PageName);
  out.I32(frame.ReturnPc);
  out.Bool(frame.Started);
  out.Bool(frame.RunOn);
  out.String(frame.ResultVariable);
  WriteArgs(out, frame.Args);
  out.String(sender);
  const std::string& state = frame.StateStream ? *frame.StateStream : std::string();
  out.I32(static_cast<int32_t>(state.size()));
  out.Bytes(state);
  out.U8(frame.ReturnValue ? frame.ReturnValue->GetKind() : 0);
  if (frame.ReturnValue) frame.ReturnValue->SaveToStream(out);
}

InterpreterRecord ReadInterpreterRecord(ByteReader& in, int32_t version, const CommandStateReader& command_state) {
  InterpreterRecord r;
  r.page = in.String();
  r.pc = in.I32();
  r.run_on = in.Bool();
  r.started = in.Bool();
  r.state = in.I32();
  if (r.state < 0 || r.state > 3) in.Fail("interpreter state " + std::to_string(r.state) + " is outside 0..3");
  r.sender = in.String();
  r.args = ReadArgs(in);
  ReadSavedFrame(in);  // the values of the last return: nothing uses them
  const std::size_t count = in.Count(in.I32(), kMinFrameBytes);
  r.frames.reserve(count);
  for (std::size_t i = 0; i < count; ++i) r.frames.push_back(ReadSavedFrame(in));
  if (version >= 116) r.event_level = in.I32();
  // Nested handlers run from level 3 on, and each running handler has the
  // frame its dispatch pushed.
  if (r.event_level < 2 || (r.state == 3 && r.event_level < 3) ||
      HandlerFrameCount(r.state, r.event_level) > static_cast<int64_t>(count) ||
      r.event_level > static_cast<int64_t>(count) + 2)
    in.Fail("event level " + std::to_string(r.event_level) + " in state " + std::to_string(r.state) +
            " does not fit a call stack of " + std::to_string(count));
  if (r.started && !r.page.empty()) r.command_state = command_state(r, in);
  return r;
}

}  // namespace rivo

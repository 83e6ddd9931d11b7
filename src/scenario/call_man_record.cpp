// The interpreter's part of a game save: writing its section, and taking
// over a section read into an InterpreterRecord.

#include <algorithm>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "scenario/call_man.h"
#include "scenario/interpreter_record.h"

namespace rivo {

void TCallMan::SaveToStream(ByteWriter& out) const {
  out.String(current_page_ ? current_page_->Name : std::string());
  out.I32(pc_);
  out.Bool(run_on_);
  out.Bool(started_);
  out.I32(state_);
  out.String(screen_.SenderName(sender_));
  out.I32(static_cast<int32_t>(args_.size()));
  for (const std::string& arg : args_) out.String(arg);
  // The values of the last return mean nothing once it is done: an empty
  // frame stands in for them.
  WriteSavedFrame(out, TStack(), std::string());
  out.I32(call_stack_.Count());
  for (int32_t i = 0; i < call_stack_.Count(); ++i)
    WriteSavedFrame(out, call_stack_[i], screen_.SenderName(call_stack_[i].Sender));
  out.I32(event_level_);
  if (started_ && current_page_ && current_page_->Holds(pc_)) (*current_page_)[pc_].SaveState(out);
}

std::optional<std::string> TCallMan::ReadCommandState(const InterpreterRecord& record, ByteReader& in) {
  TPage copy(nullptr);
  copy.LoadFromBytes(host_.ReadFile(record.page), record.page);
  if (!copy.Holds(record.pc)) return std::nullopt;
  const std::size_t start = in.Position();
  copy[record.pc].LoadState(in);
  const std::size_t end = in.Position();
  in.Seek(start);
  return in.Bytes(end - start);
}

void TCallMan::Restore(InterpreterRecord record, std::shared_ptr<TPage> page) {
  current_page_ = std::move(page);
  pc_ = record.pc;
  run_on_ = record.run_on;
  started_ = record.started;
  state_ = record.state;
  sender_ = screen_.SenderByName(record.sender);
  args_ = std::move(record.args);
  call_stack_.Clear();
  for (SavedFrame& saved : record.frames) {
    TStack& frame = call_stack_.Push();
    frame = std::move(saved.frame);
    frame.Sender = screen_.SenderByName(saved.sender);
  }
  event_level_ = record.event_level;
  // A save does not say which frames event dispatches pushed. A call never
  // changes the sender and never leaves a started command behind, so a
  // frame that does either is a dispatch's. One that does neither can only
  // be the first-level handler's, below the nested ones: it is taken to be
  // the frame right below them (its handler made no calls then).
  int32_t wanted = std::min(HandlerFrameCount(state_, event_level_), call_stack_.Count());
  ObjectHandle above = sender_;
  int32_t lowest = call_stack_.Count();
  for (int32_t i = call_stack_.Count() - 1; i >= 0 && wanted > 0; --i) {
    TStack& frame = call_stack_[i];
    if (frame.Started || frame.Sender != above) {
      frame.FromEvent = true;
      lowest = i;
      --wanted;
    }
    above = frame.Sender;
  }
  if (wanted > 0 && lowest > 0) call_stack_[lowest - 1].FromEvent = true;
  if (record.command_state && current_page_ && current_page_->Holds(pc_)) {
    ByteReader in(*record.command_state, current_page_->Name);
    (*current_page_)[pc_].LoadState(in);
  }
  traced_page_.reset();
  traced_pc_ = -1;
}

void TCallMan::RunLoadPage(std::shared_ptr<TPage> page, int32_t index) {
  if (current_page_) PushPosition();
  current_page_ = std::move(page);
  pc_ = std::max(0, index);
  started_ = false;
}

}  // namespace rivo

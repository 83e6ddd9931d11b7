#pragma once
// TCallMan: the interpreter. One main process (a current page, a position,
// a call stack) runs a few commands every tick; object events interrupt it,
// run their page from their label and return, and a waiting event handler
// can be interrupted in turn by the next event, to any depth. The call
// manager also owns the cache of loaded pages.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "objects/rivo_base_list.h"
#include "scenario/page.h"
#include "scenario/pending_requests.h"
#include "scenario/scenario_host.h"
#include "scenario/stack_list.h"

namespace rivo {

class ByteReader;
class ByteWriter;
class TParamCollection;
struct InterpreterRecord;

class TCallMan {
 public:
  static constexpr std::size_t kMaxCachedPages = 10;

  // variables may be nullptr (expressions then give no value). screen:
  // the objects the commands work on, whose event queue the interpreter
  // takes events from. can_reach answers whether a page can be read (the
  // project's CanReach); without it every file the host has is reachable.
  TCallMan(ScenarioHost& host, TParamCollection* variables, TRivoBaseList& screen,
           std::function<bool(std::string_view)> can_reach = {});
  TCallMan(const TCallMan&) = delete;
  TCallMan& operator=(const TCallMan&) = delete;
  ~TCallMan();

  // The cached page of that name (exact), loaded when absent. to_front
  // makes it the most recently used and trims the cache, never dropping the
  // running page, and tells the host the page opens. Load errors propagate
  // and leave the cache unchanged.
  std::shared_ptr<TPage> GetPage(std::string_view name, bool to_front);
  // The cached page of that name (exact) if the cache holds it; nothing is
  // loaded and the cache keeps its order.
  std::shared_ptr<const TPage> CachedPage(std::string_view name) const;
  // Starts the main process afresh at the top of a page.
  void JumpTo(std::string_view name);
  // One tick of interpretation.
  void Step();

  // What the commands and the system variables use.
  ScenarioHost& Host() const { return host_; }
  TParamCollection* Variables() const { return variables_; }
  TRivoBaseList& Screen() const { return screen_; }
  TTimerList& Events() const { return screen_.Events(); }
  bool CanReach(std::string_view name) const;
  const std::shared_ptr<TPage>& CurrentPage() const { return current_page_; }
  int32_t Pc() const { return pc_; }
  bool RunOn() const { return run_on_; }
  void SetRunOn(bool on) { run_on_ = on; }
  bool Started() const { return started_; }
  TStackList& CallStack() { return call_stack_; }
  std::vector<std::string>& Args() { return args_; }
  // The object whose event started the running process: none in the main
  // process, and a handle that no longer resolves once the object is gone.
  ObjectHandle Sender() const { return sender_; }
  int32_t State() const { return state_; }
  int32_t EventLevel() const { return event_level_; }

  int32_t ArgCount() const { return static_cast<int32_t>(args_.size()); }
  std::string ArgString(int32_t index) const;
  // "@Sender": the sender's name; "" in the main process and for a sender
  // that has been destroyed.
  std::string SenderName() const { return state_ != 0 ? screen_.SenderName(sender_) : std::string(); }
  TCustomParam* CurrentReturnValue();

  // The commands whose Part is not built yet move on without effect; the
  // player tells which once, at the end.
  void NoteSkipped(uint8_t code) { ++skipped_[code]; }
  const std::map<uint8_t, int32_t>& Skipped() const { return skipped_; }

  // The cached page names, most recently used first.
  std::vector<std::string> CachedPageNames() const;

  // The game load and save the commands ask for (the project runs them).
  PendingRequests& Pending() { return pending_; }

  // --- the game save (interpreter_record.h, call_man_record.cpp)
  void SaveToStream(ByteWriter& out) const;
  // The current command's state record of a record being read, read by a
  // private copy of the record's page, so that nothing running changes.
  std::optional<std::string> ReadCommandState(const InterpreterRecord& record, ByteReader& in);
  // Takes a record over; page: its page (GetPage), none for an empty name.
  void Restore(InterpreterRecord record, std::shared_ptr<TPage> page);
  // Runs a save's load page first: the running position is pushed (with
  // the started command's state) and the page starts at index (at 0 when
  // index is 0 or less); when it ends, the saved position goes on.
  void RunLoadPage(std::shared_ptr<TPage> page, int32_t index);

 private:
  // Runs the command at Pc; page_out is none when the page has ended.
  void ExecuteCommand(std::shared_ptr<TPage>& page_out, bool& waits);
  int StepProcess();
  int DispatchEvent(int32_t level);
  // Pushes the running position (page, pc, flags, args, sender and the
  // started command's state) as a frame.
  TStack& PushPosition();
  void TraceCommand(const std::shared_ptr<TPage>& page, int32_t pc);

  ScenarioHost& host_;
  TParamCollection* variables_;
  TRivoBaseList& screen_;
  std::function<bool(std::string_view)> can_reach_;

  std::vector<std::shared_ptr<TPage>> cache_;  // most recently used first
  std::shared_ptr<TPage> current_page_;
  int32_t pc_ = 0;
  bool run_on_ = false;
  TStackList call_stack_;
  bool started_ = false;
  std::vector<std::string> args_;
  int32_t state_ = 0;
  ObjectHandle sender_;
  int32_t event_level_ = 2;

  // The command traced last, so that a command that stays in place is
  // traced once.
  std::weak_ptr<const TPage> traced_page_;
  int32_t traced_pc_ = -1;
  std::map<uint8_t, int32_t> skipped_;
  PendingRequests pending_;
};

}  // namespace rivo

#include "scenario/call_man.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/encoding.h"
#include "scenario/event_target.h"
#include "script/param_collection.h"

namespace rivo {
namespace {

std::string TraceLine(int32_t elapsed_ms, const char* tag, const std::string& page_name, int32_t line) {
  char time[16];
  std::snprintf(time, sizeof time, "%.8x", static_cast<uint32_t>(elapsed_ms));
  return std::string(time) + " : " + tag + Cp932ToUtf8(page_name) + "(" + std::to_string(line) + ")";
}

}  // namespace

TCallMan::TCallMan(ScenarioHost& host, TParamCollection* variables, TRivoBaseList& screen,
                   std::function<bool(std::string_view)> can_reach)
    : host_(host), variables_(variables), screen_(screen), can_reach_(std::move(can_reach)), call_stack_(variables) {}

TCallMan::~TCallMan() {
  // Frames and pages go before the store forgets the call depth.
  current_page_.reset();
  cache_.clear();
  call_stack_.Clear();
}

bool TCallMan::CanReach(std::string_view name) const {
  if (can_reach_) return can_reach_(name);
  return !name.empty() && host_.FileExists(name);
}

std::shared_ptr<TPage> TCallMan::GetPage(std::string_view name, bool to_front) {
  if (to_front) {
    // A caller resumes when the page it called returns: what it goes on to
    // is as near as what the page opened now names.
    std::vector<std::string_view> callers;
    callers.reserve(static_cast<std::size_t>(call_stack_.Count()));
    for (int32_t i = call_stack_.Count(); i-- > 0;) callers.push_back(call_stack_[i].PageName);
    host_.PageOpened(name, callers);
  }
  auto found = std::find_if(cache_.begin(), cache_.end(), [&](const auto& p) { return p->Name == name; });
  if (found != cache_.end()) {
    std::shared_ptr<TPage> page = *found;
    if (to_front) std::rotate(cache_.begin(), found, found + 1);
    return page;
  }
  std::shared_ptr<TPage> page = host_.TakeCompiledPage(name);
  if (page) {
    page->AttachVariables(variables_);
  } else {
    page = std::make_shared<TPage>(variables_);
    try {
      page->LoadFromBytes(host_.ReadFile(name), std::string(name));
    } catch (const PageNeedsRebuild& e) {
      // The game was made for an older player: nothing of it can run.
      host_.SetTerminating(true);
      host_.Warn("警告", e.what());
      host_.RequestClose();
      throw;
    }
  }
  if (!to_front) {
    cache_.push_back(page);
    return page;
  }
  cache_.insert(cache_.begin(), page);
  // Drop the least recently used pages, but never the running one.
  for (std::size_t i = cache_.size(); cache_.size() > kMaxCachedPages && i-- > 1;)
    if (cache_[i] != current_page_) cache_.erase(cache_.begin() + static_cast<std::ptrdiff_t>(i));
  return page;
}

std::shared_ptr<const TPage> TCallMan::CachedPage(std::string_view name) const {
  auto found = std::find_if(cache_.begin(), cache_.end(), [&](const auto& p) { return p->Name == name; });
  return found == cache_.end() ? nullptr : *found;
}

std::vector<std::string> TCallMan::CachedPageNames() const {
  std::vector<std::string> names;
  for (const auto& page : cache_) names.push_back(page->Name);
  return names;
}

void TCallMan::JumpTo(std::string_view name) {
  current_page_ = GetPage(name, true);
  pc_ = 0;
  started_ = false;
  args_.clear();
  state_ = 0;
  call_stack_.Clear();
  sender_ = {};
  for (int32_t level = 1; level <= event_level_; ++level) Events().RemoveLevel(level);
  event_level_ = 2;
}

std::string TCallMan::ArgString(int32_t index) const {
  return index >= 0 && index < ArgCount() ? args_[static_cast<std::size_t>(index)] : std::string();
}

TCustomParam* TCallMan::CurrentReturnValue() {
  TStack* top = call_stack_.Top();
  return top ? top->ReturnValue.get() : nullptr;
}

void TCallMan::TraceCommand(const std::shared_ptr<TPage>& page, int32_t pc) {
  if (!host_.Tracing()) return;
  if (traced_page_.lock() == page && traced_pc_ == pc) return;
  traced_page_ = page;
  traced_pc_ = pc;
  host_.Trace(TraceLine(host_.ElapsedMs(), "", page->Name, (*page)[pc].Line));
}

void TCallMan::ExecuteCommand(std::shared_ptr<TPage>& page_out, bool& waits) {
  std::shared_ptr<TPage> page = current_page_;
  if (!page->Holds(pc_)) {
    page_out.reset();
    return;
  }
  const int32_t old_pc = pc_;
  TCommand& command = (*page)[pc_];
  try {
    TraceCommand(page, pc_);
    if (!started_) {
      if (command.GetDisabled()) {
        ++pc_;
        return;
      }
      command.Begin(*this);
      started_ = true;
    }
    run_on_ = command.GetContinue();
    waits = command.Waits();
    command.Execute(*this, page_out, pc_);
  } catch (const std::exception&) {
    // A command's errors are its own: the process goes on.
  }
  if (page_out != page || pc_ != old_pc) {
    started_ = false;
  } else {
    // A command that stays where it is would be run again and again within
    // this tick, finding the same time each run (a Flip or a MovieStop
    // whose continue flag is set): it waits for the next tick instead.
    run_on_ = false;
    waits = true;
  }
}

int TCallMan::StepProcess() {
  if (!current_page_) {
    run_on_ = false;  // nothing to go on with (a save can say otherwise)
    return 0;
  }
  std::shared_ptr<TPage> page_out = current_page_;
  bool waits = false;
  ExecuteCommand(page_out, waits);
  const int r = waits ? 2 : 0;
  if (page_out) {
    current_page_ = std::move(page_out);
    return r;
  }
  if (call_stack_.Empty()) {
    run_on_ = false;
    return r;
  }
  // The page has ended: return to the frame below.
  if (variables_) variables_->DeleteOwnedBy(call_stack_.Count());
  TStack frame = call_stack_.Pop();
  if (!frame.ResultVariable.empty() && variables_ && frame.ReturnValue) {
    if (TParamCollectionItem* result = variables_->Find(frame.ResultVariable))
      result->Param().AssignRaw(*frame.ReturnValue);
  }
  current_page_ = GetPage(frame.PageName, true);
  pc_ = frame.ReturnPc;
  started_ = frame.Started;
  run_on_ = frame.RunOn;
  args_ = std::move(frame.Args);
  sender_ = frame.Sender;
  if (frame.StateStream && started_ && current_page_->Holds(pc_)) {
    ByteReader in(*frame.StateStream, current_page_->Name);
    try {
      (*current_page_)[pc_].LoadState(in);
    } catch (const std::exception&) {
      started_ = false;  // the command starts afresh rather than from a broken state
    }
  }
  if (!frame.FromEvent) return r;  // a call returned: the process goes on
  // An event handler has ended: back in the main process, or in the
  // handler it interrupted.
  if (call_stack_.LowestEventFrame() < 0) return 1;
  return r == 0 ? -1 : r;
}

int TCallMan::DispatchEvent(int32_t level) {
  if (started_ && current_page_ && current_page_->Holds(pc_) && (*current_page_)[pc_].BlocksEvents()) return 0;
  for (;;) {
    TTimerList& events = Events();
    const int32_t index = events.FirstWaiting();
    if (index < 0) return 0;
    const TTimerData& entry = events[index];
    std::optional<EventTarget> target = SplitEventTarget(entry.Page);
    std::shared_ptr<TPage> page;
    if (target && CanReach(target->page)) {
      try {
        page = GetPage(target->page, true);
      } catch (const std::exception&) {
      }
    }
    if (!page) {
      // An event whose page cannot be had would block every later event.
      if (host_.Tracing()) {
        char time[16];
        std::snprintf(time, sizeof time, "%.8x", static_cast<uint32_t>(host_.ElapsedMs()));
        host_.Trace(std::string(time) + " : <Dropped>" + Cp932ToUtf8(entry.Page));
      }
      events.RemoveAt(index);
      continue;
    }

    PushPosition().FromEvent = true;

    current_page_ = std::move(page);
    pc_ = target->label.empty() ? 0 : std::max(0, current_page_->IndexOfLabel(target->label));
    if (host_.Tracing() && current_page_->Holds(pc_))
      host_.Trace(TraceLine(host_.ElapsedMs(), "<Event>", current_page_->Name, (*current_page_)[pc_].Line));
    started_ = false;
    args_ = entry.Args;
    sender_ = entry.Sender;
    events.Take(index, level);
    state_ = 1;
    return 1;
  }
}

TStack& TCallMan::PushPosition() {
  TStack& frame = call_stack_.Push();
  frame.PageName = current_page_ ? current_page_->Name : std::string();
  frame.ReturnPc = pc_;
  frame.Started = started_;
  frame.Args = args_;
  frame.Sender = sender_;
  frame.RunOn = run_on_;
  if (started_ && current_page_ && current_page_->Holds(pc_)) {
    ByteWriter state;
    (*current_page_)[pc_].SaveState(state);
    frame.StateStream = state.Take();
  }
  return frame;
}

void TCallMan::Step() {
  do {
    switch (state_) {
      case 0:
        if (DispatchEvent(1) != 1) StepProcess();
        break;
      case 1: {
        int c = StepProcess();
        if (c == 1) {
          Events().RemoveLevel(1);
          state_ = 0;
          run_on_ = true;
        } else if (c == 2) {
          event_level_ = 2;
          state_ = 2;
          return;
        } else if (state_ != 1) {
          run_on_ = true;  // a command reset the interpreter
        }
        break;
      }
      case 2:
        if (DispatchEvent(event_level_) == 1) {
          ++event_level_;
          state_ = 3;
        } else {
          state_ = event_level_ > 2 ? 3 : 1;
        }
        break;
      case 3: {
        int c = StepProcess();
        if (c == 1 || c == -1) {
          --event_level_;
          Events().RemoveLevel(event_level_);
          if (event_level_ <= 2) state_ = 2;
        } else if (c == 2) {
          state_ = 2;
          return;
        }
        break;
      }
      default:
        state_ = 0;
        break;
    }
  } while ((run_on_ || state_ != 0) && !host_.Terminating());
}

}  // namespace rivo

#pragma once
// ScenarioHost: what the scenario engine needs from the player around it:
// the game's files, the process-wide flags and clock, message boxes, the
// close request, the command trace and diagnostics. The host implements it
// over the player context; tests implement it with a few fields.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace rivo {

class TPage;

class ScenarioHost {
 public:
  virtual ~ScenarioHost() = default;

  // The whole content of a game file; raises "%s:ファイルがありません".
  virtual std::string ReadFile(std::string_view name) = 0;
  virtual bool FileExists(std::string_view name) = 0;
  // Page name compiled ahead of time from the very file ReadFile would read
  // now, never run and tied to no variables; nothing when no such page is
  // ready, and the caller reads and compiles the page itself.
  virtual std::unique_ptr<TPage> TakeCompiledPage(std::string_view name);
  // The interpreter is about to run page name (a jump, a call, a return, an
  // event handler), with callers (the pages on the call stack, the latest
  // first) waiting to resume: a hint at which files come next.
  virtual void PageOpened(std::string_view name, std::span<const std::string_view> callers) {}
  // Asks for disc disk_no until it is in (true) or the user gives up (false).
  virtual bool RequestDisk(int32_t disk_no) { return false; }

  // Finds the game's content when the player was started from the game's
  // own program: on the disk, or on a disc. False: the player ends.
  virtual bool LocateContent() { return true; }
  // The Reset command: the parts of the game outside the interpreter and
  // the variables (the screen, the tables, the history formats) start over.
  virtual void ResetGame() {}

  virtual bool Terminating() const = 0;
  virtual void SetTerminating(bool on) = 0;
  // Posts a close request to the main window.
  virtual void RequestClose() {}
  virtual int32_t ElapsedMs() const = 0;
  virtual int32_t FrameDeltaMs() const = 0;

  // A warning box with an OK button (texts in UTF-8).
  virtual void Warn(std::string_view caption, std::string_view text) = 0;
  // One line of the command trace (UTF-8, without the line break).
  virtual void Trace(std::string_view line) {}
  virtual bool Tracing() const { return false; }
  // A diagnostic for the player's log (UTF-8).
  virtual void Log(std::string_view line) {}
};

}  // namespace rivo

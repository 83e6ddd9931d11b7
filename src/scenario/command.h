#pragma once
// TCommand: one command of a compiled page. Every command carries the common
// header (nesting depth, disabled and continue bytes, the authoring tool's
// line number); each type adds its own fields (Fields) and behaviour
// (Begin, Execute and, for commands that wait, a run-time state that an
// interrupting event saves and restores).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "scenario/record_fields.h"

namespace rivo {

class ByteReader;
class ByteWriter;
class TCallMan;
class TPage;

class TCommand {
 public:
  explicit TCommand(TPage& page) : page_(&page) {}
  TCommand(const TCommand&) = delete;
  TCommand& operator=(const TCommand&) = delete;
  virtual ~TCommand() = default;

  virtual uint8_t GetType() const = 0;
  // After this command the interpreter goes on in the same tick.
  virtual bool GetContinue() const { return Continue != 0; }
  virtual bool GetDisabled() const { return Disabled != 0; }
  void SetDisabled(bool on) { Disabled = on ? 1 : 0; }
  // While this is the started current command no event is dispatched.
  virtual bool BlocksEvents() const { return false; }
  virtual bool MatchesLabel(std::string_view name) const { return false; }
  // The command may keep the interpreter at itself across ticks.
  virtual bool Waits() const { return false; }

  // The type's own fields in record order.
  virtual void Fields(RecordFields& fields) {}

  // Called once when the interpreter reaches the command.
  virtual void Begin(TCallMan& calls) {}
  // Does the command's work and moves pc (and possibly page).
  virtual void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) = 0;
  // The run-time state of a command that waits, for an interrupting event
  // (and the game save); LoadState takes what SaveState wrote.
  virtual void SaveState(ByteWriter& out) const {}
  virtual void LoadState(ByteReader& in) {}
  // Finishes pending work at once (a reset drops the process it belongs to).
  virtual void Abort(TCallMan& calls) {}

  TPage& Page() const { return *page_; }

  // The header. TypeByte is the byte as stored: its top bit means nothing
  // but is written back as it was read.
  uint8_t TypeByte = 0;
  int32_t Depth = 0;
  uint8_t Disabled = 0;
  uint8_t Continue = 0;
  int32_t Line = 0;

 private:
  TPage* page_;
};

}  // namespace rivo

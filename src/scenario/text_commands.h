#pragma once
// Commands on message windows and the message history.

#include <string>

#include "scenario/deferred_command.h"

namespace rivo {

// Puts the command's text into a message window: the window refers to the
// text by this command's page and position, and shows its first page.
class TComTextIns : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_TEXTINS; }
  bool BlocksEvents() const override { return Block; }
  bool Waits() const override { return Waiting; }
  void Begin(TCallMan& calls) override;
  // Stays while it waits for a window that still has pages.
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
  void Fields(RecordFields& f) override {
    f.Bytes("text", Text);
    f.Expression("window", Window);
    f.Expression("read", RecordRead);
    f.Expression("wait", Wait);
    if (f.Version() >= 107) f.Expression("block", BlockEvents);
  }
  void SaveState(ByteWriter& out) const override;
  void LoadState(ByteReader& in) override;

  std::string Text;  // a stored glyph list, kept as bytes
  TRivoParser Window, RecordRead, Wait, BlockEvents;

  // Run-time state: the window typed into (empty when none).
  std::string WindowName;
  bool Waiting = false;
  bool Block = false;
};

// Empties a message window (and stops its read marks).
class TComTextClr : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_TEXTCLR; }
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
  void Fields(RecordFields& f) override { f.Expression("window", Window); }
  TRivoParser Window;
};

class TComClrHist : public TDeferredCommand {
 public:
  using TDeferredCommand::TDeferredCommand;
  uint8_t GetType() const override { return CC_CLRHIST; }
};

class TComCallHist : public TDeferredCommand {
 public:
  using TDeferredCommand::TDeferredCommand;
  uint8_t GetType() const override { return CC_CALLHIST; }
  void Fields(RecordFields& f) override {
    f.Expression("window", Window);
    f.Expression("first", First);
    f.Expression("count", Count);
    f.Expression("flag", Flag);
    if (f.Version() >= 111) f.Expression("format", Format);
  }
  TRivoParser Window, First, Count, Flag, Format;
};

// "FormatHist": registers a history format from a template object.
class TComEntryHist : public TDeferredCommand {
 public:
  using TDeferredCommand::TDeferredCommand;
  uint8_t GetType() const override { return CC_FORMATHIST; }
  void Fields(RecordFields& f) override {
    f.Expression("template", Template);
    if (f.Version() >= 111) f.Expression("format", Format);
  }
  TRivoParser Template, Format;
};

}  // namespace rivo

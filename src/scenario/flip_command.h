#pragma once
// Flip: shows the back base through a screen transition. With a keep mode
// the picture on screen is first frozen in a full-screen image on top of
// the shown base, and the controls that should stay visible move to the
// back base (FL_OUT: all but the listed ones; FL_STAY: only the listed
// ones). The transition then runs for its duration while the command
// waits, and at its end the back base becomes the shown one.

#include <cstdint>

#include "scenario/command.h"
#include "scenario/command_codes.h"
#include "scenario/command_support.h"

namespace rivo {

// Keep modes.
enum : int32_t { FL_OUT = 0, FL_STAY = 1 };

class TComFlip : public TCommand {
 public:
  using TCommand::TCommand;
  uint8_t GetType() const override { return CC_FLIP; }
  bool BlocksEvents() const override { return Block; }
  bool Waits() const override { return Waiting; }
  void Fields(RecordFields& f) override {
    f.Expression("transition", Transition);
    f.Expression("duration", Duration);
    f.Expression("reverse", Reverse);
    f.Expression("keep", KeepMode);
    f.Expressions("names", Names);
    f.Expression("release", ReleaseOld);
    f.Expression("param1", Param1);
    f.Expression("param2", Param2);
    f.Expression("mask", MaskName);
    if (f.Version() >= 107) f.Expression("block", BlockEvents);
  }

  void Begin(TCallMan& calls) override;
  void Execute(TCallMan& calls, std::shared_ptr<TPage>& page, int32_t& pc) override;
  void SaveState(ByteWriter& out) const override;
  void LoadState(ByteReader& in) override;
  // Ends the flip at once (a reset of all processes): the back base is
  // shown, and with release-old the old front loses every child, cabinets
  // included.
  void Abort(TCallMan& calls) override;

  TRivoParser Transition, Duration, Reverse, KeepMode;
  ExpressionList Names;
  TRivoParser ReleaseOld, Param1, Param2, MaskName, BlockEvents;

  // Run-time state: the step reached (0 and 1 wait for the clock to start,
  // 2 runs the transition, 3 swaps without one), when the transition began,
  // whether the duration asked for a wait, and the flags of the record.
  int32_t Phase = 0;
  int32_t Start = 0;
  bool Waiting = false;
  bool Block = false;
  bool Release = false;

 private:
  // The back base becomes the shown one; the frozen picture goes, and with
  // release-old the old front's children (cabinets only when aborting).
  void Finish(TCallMan& calls, bool aborting);
};

}  // namespace rivo

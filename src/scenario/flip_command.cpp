#include "scenario/flip_command.h"

#include <algorithm>
#include <string>
#include <vector>

#include "graphics/wipe_codes.h"
#include "graphics/wipe_start.h"
#include "objects/frozen_picture.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"
#include "scenario/call_man.h"
#include "script/script_text.h"

namespace rivo {
namespace {

// The names the lists hold, one per line.
std::vector<std::string> ListedNames(TCallMan& calls, ExpressionList& lists) {
  std::vector<std::string> names;
  for (auto& list : lists) {
    if (!list) continue;
    std::vector<std::string> lines = SplitLines(EvaluateText(calls, *list));
    names.insert(names.end(), lines.begin(), lines.end());
  }
  return names;
}

// Moves the shown base's controls that should stay visible to the back base.
void CarryOver(TRivoBaseList& screen, int32_t mode, const std::vector<std::string>& names,
               const TRivoControl* frozen) {
  const std::vector<TRivoControl*> children = screen.ActiveBase().Children();
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    TRivoControl& control = **it;
    if (&control == frozen) continue;
    const bool listed = std::find(names.begin(), names.end(), control.GetName()) != names.end();
    if ((listed && mode == FL_STAY) || (!listed && mode == FL_OUT)) control.SetParent(&screen.BackBase());
  }
}

}  // namespace

void TComFlip::Begin(TCallMan& calls) {
  TRivoBaseList& screen = calls.Screen();
  Phase = 0;
  const TCustomParam* kind_value = EvaluateExpression(calls, Transition);
  int32_t kind = kind_value ? kind_value->AsInt() : WP_NONE;
  // Codes without a transition (negative ones too) flip at once.
  if (!WipeCodeInfo(kind)) kind = WP_NONE;
  const TCustomParam* duration_value = EvaluateExpression(calls, Duration);
  const int32_t asked = duration_value ? duration_value->AsInt() : 0;
  const int32_t duration = std::max(asked, 1);
  Waiting = asked > 0;
  const bool reverse = IsTrue(calls, Reverse);
  Block = IsTrue(calls, BlockEvents);
  Release = IsTrue(calls, ReleaseOld);
  const TCustomParam* keep = EvaluateExpression(calls, KeepMode);
  const std::vector<std::string> names = ListedNames(calls, Names);

  if (keep) {
    const TRivoControl* frozen = nullptr;
    if (asked > 0)
      frozen = &FreezeShownPicture(screen);
    else
      Phase = 3;
    CarryOver(screen, keep->AsInt(), names, frozen);
  }
  if (Phase == 3) return;
  TCustomWipe* wipe = screen.StartTransition(screen.ActiveIndex(), kind, reverse ? 1 : 0, true, 0, duration);
  if (!wipe) return;
  TWipeOverrides overrides;
  if (const TCustomParam* p = EvaluateExpression(calls, Param1)) overrides.p0 = p->AsInt();
  if (const TCustomParam* p = EvaluateExpression(calls, Param2)) overrides.p1 = p->AsInt();
  if (const TCustomParam* mask = EvaluateExpression(calls, MaskName)) overrides.mask_name = mask->AsStr();
  ApplyWipeOverrides(*wipe, overrides);
}

void TComFlip::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  TRivoBaseList& screen = calls.Screen();
  switch (Phase) {
    case 0:
      Phase = 1;
      return;
    case 1:
      Start = calls.Host().ElapsedMs();
      Phase = 2;
      return;
    default:
      break;
  }
  const int32_t t = calls.Host().ElapsedMs() - Start;
  if (Phase == 2 && t < screen.TransitionDuration()) {
    screen.SetTransitionPosition(t);
    return;
  }
  Finish(calls, false);
  ++pc;
}

void TComFlip::Abort(TCallMan& calls) { Finish(calls, true); }

void TComFlip::Finish(TCallMan& calls, bool aborting) {
  TRivoBaseList& screen = calls.Screen();
  screen.StartTransition(screen.ActiveIndex() ^ 1, WP_NONE, 0, true, 0, 0);
  if (TRivoControl* frozen = screen.FindControlByName(kFrozenPictureName)) frozen->Release();
  if (!Release) return;
  // A copy: a released control loses its name, which re-sorts its siblings.
  const std::vector<TRivoControl*> old_front = screen.BackBase().Children();
  for (TRivoControl* child : old_front)
    if (aborting || !child->IsCabinet()) child->Release();
}

}  // namespace rivo

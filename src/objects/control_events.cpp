// The events every control raises from the mouse and the keyboard. Kinds
// that react in their own way override the handlers; the mouse step of the
// screen decides which handler runs when.

#include "common/numbers.h"
#include "objects/rivo_base.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"

namespace rivo {
namespace {

constexpr uint32_t kLeftCapture = 4;
constexpr uint32_t kRightCapture = 8;

std::vector<std::string> KeyArgs(std::span<const int32_t> codes) {
  std::vector<std::string> args;
  args.reserve(codes.size());
  for (int32_t code : codes) args.push_back(std::to_string(code));
  return args;
}

}  // namespace

std::vector<std::string> TRivoControl::MouseArgs() const {
  const TRivoBase* base = GetBase();
  const int32_t x = base ? base->MouseX : 0;
  const int32_t y = base ? base->MouseY : 0;
  return {std::to_string(WrapSub(x, AbsLeft())), std::to_string(WrapSub(y, AbsTop()))};
}

void TRivoControl::MouseLeftDown() {
  TRivoBase* base = GetBase();
  if (!base || base == this) return;
  if (ignore_mouse_ != IM_NONE && ignore_mouse_ != IM_RCLICK) return;
  if (!IsPaused() && !EventWaits(PR_ONLBTNDOWN) && !EventsSuppressed()) {
    RaiseEvent(OnLBtnDown, PR_ONLBTNDOWN, MouseArgs());
    base->Capture |= kLeftCapture;
  }
  base->LeftClick = false;
}

void TRivoControl::MouseLeftUp() {
  if (!EventsSuppressed()) RaiseEvent(OnLBtnUp, PR_ONLBTNUP, MouseArgs());
  if (TRivoBase* base = GetBase()) base->Capture &= ~kLeftCapture;
}

void TRivoControl::MouseRightDown() {
  TRivoBase* base = GetBase();
  if (!base || base == this) return;
  if (ignore_mouse_ != IM_NONE && ignore_mouse_ != IM_LCLICK) return;
  if (!IsPaused() && !EventWaits(PR_ONRBTNDOWN) && !EventsSuppressed()) {
    RaiseEvent(OnRBtnDown, PR_ONRBTNDOWN, MouseArgs());
    base->Capture |= kRightCapture;
  }
  base->RightClick = false;
}

void TRivoControl::MouseRightUp() {
  if (!EventsSuppressed()) RaiseEvent(OnRBtnUp, PR_ONRBTNUP, MouseArgs());
  if (TRivoBase* base = GetBase()) base->Capture &= ~kRightCapture;
}

void TRivoControl::MouseMove() {
  if (!EventsSuppressed() && !EventWaits(PR_ONMOUSEMOVE)) RaiseEvent(OnMouseMove, PR_ONMOUSEMOVE, MouseArgs());
}

void TRivoControl::MouseOut(TRivoObject*) {
  if (!EventsSuppressed()) RaiseEvent(OnMouseOut, PR_ONMOUSEOUT);
}

void TRivoControl::MouseIn(TRivoObject*) {
  if (!EventsSuppressed()) RaiseEvent(OnMouseIn, PR_ONMOUSEIN);
}

void TRivoControl::KeyDown(std::span<const int32_t> codes) {
  if (IsPaused() || EventWaits(PR_ONKEYDOWN) || GetBase() == this || EventsSuppressed()) return;
  RaiseEvent(OnKeyDown, PR_ONKEYDOWN, KeyArgs(codes));
}

void TRivoControl::KeyUp(std::span<const int32_t> codes) {
  if (IsPaused() || EventWaits(PR_ONKEYUP) || GetBase() == this || EventsSuppressed()) return;
  RaiseEvent(OnKeyUp, PR_ONKEYUP, KeyArgs(codes));
}

void TRivoControl::KeyRepeat(std::span<const int32_t> codes) {
  if (IsPaused() || EventWaits(PR_ONKEYREPEAT) || GetBase() == this || EventsSuppressed()) return;
  RaiseEvent(OnKeyRepeat, PR_ONKEYREPEAT, KeyArgs(codes));
}

}  // namespace rivo

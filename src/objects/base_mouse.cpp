// The mouse step of the shown base, once a tick: the presses of the tick,
// right clicks for the controls that close on them, the control that holds
// the mouse (capture) or the one under it, the pointer picture, the press,
// release and wheel events, and hovering in and out.

#include "media/cursor_cache.h"
#include "objects/rivo_base.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"

namespace rivo {
namespace {

constexpr uint32_t kLeftRelease = 1;
constexpr uint32_t kRightRelease = 2;
constexpr uint32_t kLeftCapture = 4;
constexpr uint32_t kRightCapture = 8;

bool TakesRightClicks(const TRivoControl& c) {
  return c.GetIgnoreMouse() == IM_NONE || c.GetIgnoreMouse() == IM_LCLICK;
}

}  // namespace

void TRivoBase::ProcessMouse() {
  TRivoBaseList& screen = Owner();
  LeftClick = LeftPress;
  RightClick = RightPress;
  WheelDownNow = WheelDown;
  WheelUpNow = WheelUp;
  LeftPress = RightPress = WheelDown = WheelUp = false;

  if (RightClick) {
    for (ObjectHandle handle : screen.RightClickList()) {
      TRivoObject* object = screen.Resolve(handle);
      TRivoControl* c = object ? object->AsControl() : nullptr;
      if (!c || !c->RightClickScrap() || !c->IsVisible() || c->GetBase() != this || c->IsPaused() ||
          !TakesRightClicks(*c))
        continue;
      if (c->HandleRightClick()) {
        RightClick = false;
        break;
      }
    }
  }

  TRivoObject* hovered = screen.Resolve(Hovered);
  TRivoControl* target = nullptr;
  if (Capture != 0 && hovered && hovered->AsControl()) {
    TRivoControl* held = hovered->AsControl();
    if (Capture & (kLeftCapture | kRightCapture)) {
      const ObjectHandle handle = held->Handle();
      if ((Capture & kLeftCapture) && !LeftHeld) {
        held->MouseLeftUp();
        Capture &= ~kLeftCapture;
      } else if ((Capture & kRightCapture) && !RightHeld) {
        held->MouseRightUp();
        Capture &= ~kRightCapture;
      }
      if (Moved)
        if (TRivoObject* still = screen.Resolve(handle)) still->AsControl()->MouseMove();
      if (TRivoObject* still = screen.Resolve(handle)) still->AsControl()->CapturedTick();
      Moved = false;
      return;
    }
    target = held;
  } else {
    HitModes modes = LeftClick ? kHitForLeftPress : RightClick ? kHitForRightPress : kHitForHover;
    target = HitTest(MouseX, MouseY, modes);
    Capture = 0;
  }

  const ObjectHandle target_handle = target ? target->Handle() : ObjectHandle{};
  if (target) {
    std::string file = target->GetCursorFile();
    if (file.empty()) file = screen.DefaultCursorName();
    if (TCursorCache* cursors = screen.Cursors()) cursors->Show(file);
    CursorFile = file;

    if (LeftClick) {
      target->MouseLeftDown();
      if (TRivoObject* still = screen.Resolve(target_handle)) {
        TRivoControl* c = still->AsControl();
        if (!c->IsPaused() && c->GetHandleKey()) screen.SetFocus(c);
      }
    } else if (RightClick) {
      target->MouseRightDown();
    } else if ((Capture & kLeftRelease) && !LeftHeld) {
      if (!target->EventWaits(PR_ONLBTNUP)) target->RaiseEvent(target->OnLBtnUp, PR_ONLBTNUP, target->MouseArgs());
      Capture = 0;
    } else if ((Capture & kRightRelease) && !RightHeld) {
      if (!target->EventWaits(PR_ONRBTNUP)) target->RaiseEvent(target->OnRBtnUp, PR_ONRBTNUP, target->MouseArgs());
      Capture = 0;
    } else if (WheelDownNow) {
      if (!target->EventWaits(PR_ONWHEELDOWN)) target->RaiseEvent(target->OnWheelDown, PR_ONWHEELDOWN);
    } else if (WheelUpNow) {
      if (!target->EventWaits(PR_ONWHEELUP)) target->RaiseEvent(target->OnWheelUp, PR_ONWHEELUP);
    }
  }

  // The handlers above may have freed either object: both are looked up again.
  target = nullptr;
  if (TRivoObject* t = screen.Resolve(target_handle)) target = t->AsControl();
  hovered = screen.Resolve(Hovered);
  if (hovered && hovered != target)
    if (TRivoControl* previous = hovered->AsControl()) previous->MouseOut(target);
  if (target && (Moved || target != hovered)) {
    if (target != hovered) target->MouseIn(hovered);
    if (TRivoObject* still = screen.Resolve(target_handle)) still->AsControl()->MouseMove();
  }
  Hovered = screen.Resolve(target_handle) ? target_handle : ObjectHandle{};
  Moved = false;
}

}  // namespace rivo

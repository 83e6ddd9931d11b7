// The screen's input step, once a tick before the interpreter: the focus
// is found again when it may have moved, the key tables move on, the shown
// base turns the mouse into events, and the keys of the last tick go to
// the focused control.

#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"

namespace rivo {

void TRivoBaseList::ProcessInput() {
  if (focus_dirty_) {
    SetFocus(ActiveBase().FindFocusTarget());
    focus_dirty_ = false;
  }
  keys_.BeginTick();
  ActiveBase().ProcessMouse();
  if (TRivoControl* focus = Focus(); focus && focus->GetHandleKey()) {
    const ObjectHandle handle = focus->Handle();
    // Each handler may release or free the control; look it up again before the next.
    if (keys_.DownPending()) focus->KeyDown(keys_.KeysDown());
    if (keys_.RepeatPending())
      if (TRivoObject* still = Resolve(handle)) still->AsControl()->KeyRepeat(keys_.KeysRepeated());
    if (keys_.UpPending())
      if (TRivoObject* still = Resolve(handle)) still->AsControl()->KeyUp(keys_.KeysUp());
  }
  keys_.ClearPending();
  keys_.CountRepeats(FrameDeltaMs());
}

void TRivoBaseList::ClearKeys() { keys_.Clear(); }

}  // namespace rivo

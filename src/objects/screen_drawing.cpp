// The screen's drawing step and its transitions: both bases draw their
// changed rectangles; while no transition is prepared the shown base draws
// straight into the back buffer (saving a full copy per frame) and the
// other into its own surface; during a transition both draw into their own
// surfaces and the transition composes them. At a transition's start the
// shown base takes the back buffer's pixels by trading storage with it
// rather than copying a whole screen: every wipe's first frame writes the
// whole back buffer, and until it has, the back buffer gets its picture
// back whenever the transition stops or cannot draw. A wipe's frames that
// show the old picture as it stands (a fade's first moments) are not drawn
// while the display shows that picture already, nor, where it can wait,
// the new picture till a frame shows it.

#include <utility>

#include "graphics/wipe_start.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"

namespace rivo {

void TRivoBaseList::SetBackBuffer(TDIBX* surface) {
  back_buffer_ = surface;
  back_buffer_shown_ = false;
  InvalidateAll();
}

TDIBX& TRivoBaseList::BackBuffer() { return back_buffer_ ? *back_buffer_ : own_back_buffer_; }

void TRivoBaseList::ResizeBackBuffer() {
  if (back_buffer_) return;  // the screen manager's, made at the screen's size
  if (own_back_buffer_.Width() != width_ || own_back_buffer_.Height() != height_)
    own_back_buffer_.SetSize(width_, height_, 32);
}

void TRivoBaseList::InvalidateAll() {
  for (auto& base : bases_) base->InvalidateAll();
}

void TRivoBaseList::Draw() {
  present_rect_ = {};
  old_picture_changes_.reset();
  undrawn_base_ = -1;
  ResizeBackBuffer();
  back_buffer_shown_ = back_buffer_ != nullptr;
  if (ShowOldPicture()) return;
  BaseAt(0).DrawPage();
  BaseAt(1).DrawPage();
  // A wipe whose time has run out draws nothing; the Flip that runs it
  // ends it in its next step.
  if (!transition_) return;
  if (transition_->Step()) {
    GivePictureBack();
    return;
  }
  present_rect_ = transition_->ChangedRect();
  lent_base_ = -1;
}

bool TRivoBaseList::ShowOldPicture() {
  // The lent picture is what the display shows (and stays so below).
  if (!transition_ || lent_base_ < 0 || !lent_picture_shown_ || !transition_->ShowsOldPicture()) return false;
  TRivoBase& old = BaseAt(lent_base_);
  std::optional<std::vector<TRect>> changes = old.ChangesOfDrawPage();
  if (!changes) return false;
  old.DrawPage();
  // The back buffer stays lent, its picture right where it is presented:
  // it gets the rest back as before, or the wipe's next frame writes it all.
  TDIBX& back = BackBuffer();
  back.ResetClip();
  for (TRect& r : *changes) {
    r = Intersect(r, back.GetBounds());
    back.Draw(r.Left, r.Top, false, false, false, r, old.Surface);
  }
  old_picture_changes_ = std::move(changes);
  // The new picture shows from a later frame. A base whose redraw gives
  // the same picture whatever its surface held is drawn then, its changed
  // rectangles kept till that frame, and the same picture it gives.
  TRivoBase& next = BaseAt(lent_base_ ^ 1);
  if (next.RedrawCoversEverything())
    undrawn_base_ = next.Index();
  else
    next.DrawPage();
  return true;
}

void TRivoBaseList::MovePictureToBase(TRivoBase& shown) {
  TDIBX& back = BackBuffer();
  TDIBX& own = shown.Surface;
  const TDIBSurface &b = back.Store(), &o = own.Store();
  const bool alike = back.Width() == own.Width() && back.Height() == own.Height() && b.Width() == o.Width() &&
                     b.Height() == o.Height() && back.Width() == b.Width() && back.Height() == b.Height() &&
                     back.BitCount() == 32 && own.BitCount() == 32 && b.BitCount() == o.BitCount() &&
                     b.Format() == o.Format() && b.Pitch() == o.Pitch() && !b.HasMask() && !o.HasMask();
  // Without a wipe nothing would write the back buffer.
  if (!alike || !transition_) {
    own.Assign(back);
    return;
  }
  std::swap(back.Store(), own.Store());
  lent_base_ = shown.Index();
  lent_picture_shown_ = back_buffer_shown_;
}

void TRivoBaseList::GivePictureBack() {
  if (lent_base_ < 0) return;
  BackBuffer().Assign(BaseAt(lent_base_).Surface);
  lent_base_ = -1;
}

void TRivoBaseList::DropTransition() {
  GivePictureBack();
  transition_.reset();
}

void TRivoBaseList::ClearDirty() {
  for (auto& base : bases_)
    if (base->Index() != undrawn_base_) base->Dirty.Clear();
}

TCustomWipe* TRivoBaseList::StartTransition(int32_t active, int32_t kind, int32_t param, bool force,
                                                 int32_t position, int32_t duration) {
  const bool same_shown = active_base_ == (active & 1);
  active_base_ = active & 1;
  if (force || (kind != 0 && !transition_)) {
    DropTransition();
    TRivoBase& shown = ActiveBase();
    // The shown base's surface gets its own last picture (below, or it drew
    // there already); when redrawing it whole would give that picture
    // again, only what changed since is drawn.
    const bool keep_shown = kind != 0 && same_shown && shown.RedrawCoversEverything();
    for (auto& base : bases_)
      if (!keep_shown || base.get() != &shown) base->InvalidateAll();
    if (kind != 0) {
      transition_ = MakeWipe(kind, duration, param != 0, wipe_defaults_, BackBuffer(), BackBase().Surface,
                             shown.Surface, wipe_environment_);
      // It drew into the back buffer until now.
      if (&shown.GetSurface() != &shown.Surface) MovePictureToBase(shown);
    }
    TRivoControl* focus = Focus();
    if (!focus || focus->GetBase() != &ActiveBase()) ClearFocus();
  }
  transition_kind_ = kind;
  if (transition_) transition_->SetTime(position);
  return transition_.get();
}

int32_t TRivoBaseList::TransitionDuration() const { return transition_ ? transition_->Duration() : 0; }

void TRivoBaseList::SetTransitionPosition(int32_t ms) {
  if (transition_) transition_->SetTime(ms);
}

void TRivoBaseList::ReleaseSurfaces() {
  DropTransition();
  back_buffer_shown_ = false;  // the display may come back empty
  for (auto& base : bases_) base->Surface.FreeImage();
  for (const auto& object : objects_) object->ReleaseSurfaces();
}

void TRivoBaseList::RestoreSurfaces() {
  ResizeBackBuffer();
  for (auto& base : bases_) base->Surface.SetSize(width_, height_, 32);
  for (const auto& object : objects_) object->RestoreSurfaces();
  InvalidateAll();
}

void TRivoBaseList::SetImageReduce(bool on) {
  if (on == image_reduce_) return;
  image_reduce_ = on;
  if (image_reduce_hook_) image_reduce_hook_(on);
  InvalidateAll();
}

}  // namespace rivo

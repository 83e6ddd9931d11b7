// Where a control is and what it covers: the position setters, the
// coordinate rules, visibility, invalidation and hit testing.

#include "common/numbers.h"
#include "objects/rivo_base.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"

namespace rivo {
// --- setters

void TRivoControl::SetLeft(int32_t v) {
  if (v != left_) {
    Repaint([&] {
      left_ = v;
      motion_x_ = 0;
    });
  }
  PropagatePosition();
}

void TRivoControl::SetTop(int32_t v) {
  if (v != top_) {
    Repaint([&] {
      top_ = v;
      motion_y_ = 0;
    });
  }
  PropagatePosition();
}

void TRivoControl::SetOffsetX(int32_t v) {
  if (v != offset_x_) Repaint([&] { offset_x_ = v; });
  PropagatePosition();
}

void TRivoControl::SetOffsetY(int32_t v) {
  if (v != offset_y_) Repaint([&] { offset_y_ = v; });
  PropagatePosition();
}

void TRivoControl::SetWidth(int32_t v) {
  if (v != width_) Repaint([&] { width_ = v; });
}

void TRivoControl::SetHeight(int32_t v) {
  if (v != height_) Repaint([&] { height_ = v; });
}

void TRivoControl::SetPlusX(int32_t v) {
  if (v != plus_x_) Repaint([&] { plus_x_ = v; });
}

void TRivoControl::SetPlusY(int32_t v) {
  if (v != plus_y_) Repaint([&] { plus_y_ = v; });
}

void TRivoControl::SetPosZoomed(bool v) {
  if (v != pos_zoomed_) Repaint([&] { pos_zoomed_ = v; });
}

void TRivoControl::SetMotionX(int32_t v) {
  if (v != motion_x_) Repaint([&] { motion_x_ = v; });
}

void TRivoControl::SetMotionY(int32_t v) {
  if (v != motion_y_) Repaint([&] { motion_y_ = v; });
}

void TRivoControl::SetClip(int32_t& field, int32_t v) {
  if (v == field) return;
  Repaint([&] { field = v; });
  PropagateClip();
}

void TRivoControl::SetClipLeft(int32_t v) { SetClip(clip_left_, v); }
void TRivoControl::SetClipTop(int32_t v) { SetClip(clip_top_, v); }
void TRivoControl::SetClipWidth(int32_t v) { SetClip(clip_width_, v); }
void TRivoControl::SetClipHeight(int32_t v) { SetClip(clip_height_, v); }

void TRivoControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Repaint([&] {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
  });
}

void TRivoControl::SetColor(int32_t v) {
  if (v == color_) return;
  color_ = v;
  Invalidate();
}

void TRivoControl::PropagatePosition() {
  for (TRivoControl* child : children_) child->PropagatePosition();
}

void TRivoControl::PropagateClip() {
  for (TRivoControl* child : children_) child->PropagateClip();
}

// --- coordinates

int32_t TRivoControl::LocalLeft() const { return LocalLeftAt(GetZoomX(), GetFlipH()); }

int32_t TRivoControl::LocalTop() const { return LocalTopAt(GetZoomY(), GetFlipV()); }


int32_t TRivoControl::AbsLeft() const { return Low32(LocalLeft() + ParentOriginX()); }

int32_t TRivoControl::AbsTop() const { return Low32(LocalTop() + ParentOriginY()); }

void TRivoControl::GetRefPoint(int32_t& x, int32_t& y) const {
  int64_t rx = int64_t{PositionPart(GetZoomX(), left_, motion_x_)} + plus_x_;
  int64_t ry = int64_t{PositionPart(GetZoomY(), top_, motion_y_)} + plus_y_;
  rx += ParentOriginX();
  ry += ParentOriginY();
  x = Low32(rx);
  y = Low32(ry);
}

TRect TRivoControl::GetScreenRect() const { return Bounds(AbsLeft(), AbsTop(), width_, height_); }

TRect TRivoControl::GetClipRect() const {
  if (!HasClipRect()) return {};
  return Bounds(WrapAdd(AbsLeft(), clip_left_), WrapAdd(AbsTop(), clip_top_), clip_width_, clip_height_);
}

void TRivoControl::ClientToScreen(int32_t& x, int32_t& y) const {
  x = WrapAdd(x, AbsLeft());
  y = WrapAdd(y, AbsTop());
}

void TRivoControl::ScreenToClient(int32_t& x, int32_t& y) const {
  x = WrapSub(x, AbsLeft());
  y = WrapSub(y, AbsTop());
}

// --- visibility

bool TRivoControl::IsVisible() const { return visible_ && parent_ && parent_->IsVisible(); }

bool TRivoControl::IsShown() const { return IsVisible() && GetBase() == &Owner().ActiveBase(); }

void TRivoControl::SetVisible(bool v) {
  if (v == visible_) return;
  TRivoBaseList& owner = Owner();
  if (!v) {
    Invalidate();
    visible_ = false;
    if (TRivoControl* focus = owner.Focus(); focus && (focus == this || Contains(*focus))) owner.ClearFocus();
  } else {
    visible_ = true;
    Invalidate();
    if (!owner.Focus()) owner.SetFocusDirty(true);
  }
}

// --- invalidation

void TRivoControl::Invalidate() {
  const TRivoBase* base = GetBase();
  // A base that will be redrawn whole takes nothing more: most property
  // changes at a scene's start come after that, and working out the screen
  // rectangle walks the parent chain several times.
  if (!base || base->WhollyDirty() || !IsVisible()) return;
  TRect rect = GetScreenRect();
  if (parent_ && Intersect(rect, parent_->GetScreenRect()).IsEmpty()) return;
  if (TRect clip = GetClipRect(); !clip.IsEmpty()) {
    rect = Intersect(rect, clip);
    if (rect.IsEmpty()) return;
  }
  InvalidateRect(rect);
}

void TRivoControl::InvalidateRect(const TRect& rect) {
  if (parent_) parent_->InvalidateRect(rect);
}

// --- hit testing

TRivoControl* TRivoControl::HitTest(int32_t x, int32_t y, HitModes modes) {
  if (!IsVisible() || !GetScreenRect().Contains(x, y)) return nullptr;
  TRivoControl* found = (modes & HitMode(ignore_mouse_)) ? this : nullptr;
  for (std::size_t i = children_.size(); i-- > 0;) {
    if (TRivoControl* hit = children_[i]->HitTest(x, y, modes)) return hit;
  }
  return found;
}

TRivoControl* TRivoControl::FindFocusTarget() {
  if (!IsVisible()) return nullptr;
  for (std::size_t i = children_.size(); i-- > 0;)
    if (TRivoControl* target = children_[i]->FindFocusTarget()) return target;
  return handle_key_ && !IsPaused() ? this : nullptr;
}

}  // namespace rivo

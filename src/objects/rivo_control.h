#pragma once
// TRivoControl: an object of the visible tree. A control has a parent (a
// base, another control or a cabinet) and children kept in drawing order;
// a position, size and reference point in its parent's client coordinates;
// visibility, a clip rectangle, a mouse mode and its mouse and key event
// pages. Kinds that draw or take input in their own way override the
// virtual hooks here (Invalidate, HitTest, the mouse and key handlers,
// Tick, EnterCabinet...); the defaults raise the events every control
// raises.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/numbers.h"
#include "graphics/custom_dibx.h"
#include "graphics/rect.h"
#include "objects/rivo_object.h"

namespace rivo {

class TRivoBase;

class TRivoControl : public TRivoComponent {
 public:
  explicit TRivoControl(TRivoBaseList& owner) : TRivoComponent(owner) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  TRivoControl* AsControl() override { return this; }
  const TRivoControl* AsControl() const override { return this; }

  // The renaming rule of controls: another holder of the name is renamed
  // to the name with a free "_n" suffix.
  void SetName(std::string_view name) override;

  // --- the tree
  TRivoControl* Parent() const { return parent_; }
  // Nothing happens for the current parent, for the control itself and for
  // its descendants (no cycles); cabinets are told who enters and leaves.
  void SetParent(TRivoControl* parent);
  std::string GetParentName() const;
  // Looks the name up among controls; a name not found changes nothing.
  virtual void SetParentByName(std::string_view name);
  int32_t ChildCount() const { return static_cast<int32_t>(children_.size()); }
  TRivoControl* GetChild(int32_t index) const { return children_[static_cast<std::size_t>(index)]; }
  const std::vector<TRivoControl*>& Children() const { return children_; }
  // Priority order: system names first, the name 0x01 0x01 last, then
  // Priority + SubPriority, then the names.
  void SortChildren();
  // Whether object is a descendant.
  bool Contains(const TRivoObject& object) const;
  // The base the control is in; nullptr outside the tree. A base is its own.
  virtual TRivoBase* GetBase();
  const TRivoBase* GetBase() const { return const_cast<TRivoControl*>(this)->GetBase(); }
  bool IsInCabinet() const override;
  virtual void EnterCabinet() {}
  virtual void LeaveCabinet() {}

  // --- geometry (PR_LEFT ... PR_CLIPHEIGHT, PR_PLUSX, PR_PLUSY)
  int32_t GetLeft() const { return left_; }
  void SetLeft(int32_t v);
  int32_t GetTop() const { return top_; }
  void SetTop(int32_t v);
  int32_t GetWidth() const { return width_; }
  virtual void SetWidth(int32_t v);
  int32_t GetHeight() const { return height_; }
  virtual void SetHeight(int32_t v);
  int32_t GetOffsetX() const { return offset_x_; }
  void SetOffsetX(int32_t v);
  int32_t GetOffsetY() const { return offset_y_; }
  void SetOffsetY(int32_t v);
  int32_t GetPlusX() const { return plus_x_; }
  void SetPlusX(int32_t v);
  int32_t GetPlusY() const { return plus_y_; }
  void SetPlusY(int32_t v);
  bool GetPosZoomed() const { return pos_zoomed_; }
  void SetPosZoomed(bool v);
  int32_t GetMotionX() const { return motion_x_; }
  void SetMotionX(int32_t v);
  int32_t GetMotionY() const { return motion_y_; }
  void SetMotionY(int32_t v);
  int32_t GetClipLeft() const { return clip_left_; }
  void SetClipLeft(int32_t v);
  int32_t GetClipTop() const { return clip_top_; }
  void SetClipTop(int32_t v);
  int32_t GetClipWidth() const { return clip_width_; }
  void SetClipWidth(int32_t v);
  int32_t GetClipHeight() const { return clip_height_; }
  void SetClipHeight(int32_t v);
  // Sets the four at once, invalidating before and after a change.
  virtual void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  const TRect& GetStoredRect() const { return stored_rect_; }
  void SetStoredRect(const TRect& r) { stored_rect_ = r; }

  // What kinds with zoom, flips and scrolling answer; the coordinate rules
  // read them here.
  virtual int32_t GetZoomX() const { return 256; }
  virtual int32_t GetZoomY() const { return 256; }
  virtual bool GetFlipH() const { return false; }
  virtual bool GetFlipV() const { return false; }
  virtual int32_t GetScrollX() const { return 0; }
  virtual int32_t GetScrollY() const { return 0; }

  // Base coordinates of the drawn top-left corner, and the same without
  // the parent's part.
  virtual int32_t AbsLeft() const;
  virtual int32_t AbsTop() const;
  int32_t LocalLeft() const;
  int32_t LocalTop() const;
  // Where a child's own position counts from: AbsLeft and AbsTop less the
  // scroll.
  int64_t ChildOriginX() const {
    return children_origin_.known ? children_origin_.x : int64_t{AbsLeft()} - GetScrollX();
  }
  int64_t ChildOriginY() const {
    return children_origin_.known ? children_origin_.y : int64_t{AbsTop()} - GetScrollY();
  }
  // The base coordinates of the reference point.
  void GetRefPoint(int32_t& x, int32_t& y) const;
  // (AbsLeft, AbsTop, Width, Height); rotated kinds give their bounding box.
  virtual TRect GetScreenRect() const;
  // Empty when no clip is set.
  TRect GetClipRect() const;
  bool HasClipRect() const { return clip_width_ >= 1 && clip_height_ >= 1; }
  void ClientToScreen(int32_t& x, int32_t& y) const override;
  void ScreenToClient(int32_t& x, int32_t& y) const override;
  // Called after the position changed; passed on to every child.
  virtual void PropagatePosition();
  virtual void PropagateClip();

  // --- appearance (PR_VISIBLE, PR_COLOR, PR_CURSOR)
  bool GetVisible() const { return visible_; }
  virtual void SetVisible(bool v);
  // Own flag set and a visible parent (a base: its own flag).
  virtual bool IsVisible() const;
  // Visible, and in the active base.
  bool IsShown() const;
  int32_t GetColor() const { return color_; }
  virtual void SetColor(int32_t v);
  const std::string& GetCursor() const { return cursor_; }
  void SetCursor(std::string_view v) { cursor_ = v; }
  virtual std::string GetCursorFile() const { return cursor_; }
  bool GetSelectionMark() const { return selection_mark_; }
  // Movies show no selection outline.
  virtual bool DrawsSelectionMark() const { return true; }

  // --- drawing
  // Draws the control within the surface's clip, then its children.
  virtual void Draw(TCustomDIBX& surface);
  // Its own drawing writes every pixel of its screen rectangle with an
  // opaque colour, whatever lay beneath (what is under it never shows).
  virtual bool FillsOpaquely() const { return false; }
  // The index of the last visible child that paints over all of area so
  // (nothing drawn before it there shows); ChildCount() when none does.
  std::size_t CoveringChild(const TRect& area) const;
  void SetSelectionMark(bool on) { selection_mark_ = on; }

  // --- film motion: a slot only until films exist (PR_ANIPAUSED)
  const std::string& GetMotion() const { return motion_; }
  void SetMotion(std::string_view film) { motion_ = film; }
  bool HasMotion() const { return false; }
  bool GetAniPaused() const { return ani_paused_; }
  void SetAniPaused(bool v) { ani_paused_ = v; }
  // PR_PLAYING of a control: its motion runs.
  bool GetPlaying() const { return false; }

  // --- invalidation
  void Invalidate() override;
  // Asks the parent, up to the base, to redraw rect (base coordinates).
  virtual void InvalidateRect(const TRect& rect);

  // --- input
  int32_t GetIgnoreMouse() const { return ignore_mouse_; }
  void SetIgnoreMouse(int32_t v) { ignore_mouse_ = static_cast<uint8_t>(v); }
  // The topmost control at (x, y) (base coordinates) whose mouse mode is in
  // modes: an invisible control or one that does not contain the point
  // gives nullptr without searching its children.
  virtual TRivoControl* HitTest(int32_t x, int32_t y, HitModes modes);
  virtual void MouseLeftDown();
  virtual void MouseLeftUp();
  virtual void MouseRightDown();
  virtual void MouseRightUp();
  virtual void MouseMove();
  virtual void MouseOut(TRivoObject* next);
  virtual void MouseIn(TRivoObject* previous);
  // Every tick while the control holds the mouse capture.
  virtual void CapturedTick() {}
  // Right-click-closable kinds: true when they consumed the right click.
  virtual bool HandleRightClick() { return false; }
  // Whether the control closes on right clicks (PR_RCLICKSCRAP of the kinds that have it).
  virtual bool RightClickScrap() const { return false; }
  // The mouse position in the base minus this control's corner, as the
  // two text arguments of a mouse event.
  std::vector<std::string> MouseArgs() const;
  bool GetHandleKey() const { return handle_key_; }
  void SetHandleKey(bool v) { handle_key_ = v; }
  // The keys that went down, came up or repeated in this tick, in order.
  virtual void KeyDown(std::span<const int32_t> codes);
  virtual void KeyUp(std::span<const int32_t> codes);
  virtual void KeyRepeat(std::span<const int32_t> codes);
  virtual void FocusGained() {}
  // The topmost visible descendant (or this control) that takes keys and is
  // not paused.
  virtual TRivoControl* FindFocusTarget();

  // The event pages every control carries.
  std::string OnMouseMove, OnMouseIn, OnMouseOut, OnLBtnDown, OnLBtnUp, OnRBtnDown, OnRBtnUp, OnWheelDown, OnWheelUp;
  std::string OnKeyDown, OnKeyUp, OnKeyRepeat, OnFocusIn, OnFocusOut;

  // --- saving
  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

  void Created() override;
  void Destroying() override;

 protected:
  // The children in drawing order, each clipped to this control and to its
  // own clip rectangle; then the selection outline.
  void DrawChildren(TCustomDIBX& surface);
  // LocalLeft and LocalTop with the zoom and flip given: a kind that knows
  // its own passes them without the virtual calls (drawing asks every
  // control under a changed rectangle where it is).
  int32_t LocalLeftAt(int32_t zoom, bool flip) const {
    return Low32(int64_t{PositionPart(zoom, left_, motion_x_)} - OffsetPart(zoom, offset_x_, width_, flip) + plus_x_);
  }
  int32_t LocalTopAt(int32_t zoom, bool flip) const {
    return Low32(int64_t{PositionPart(zoom, top_, motion_y_)} - OffsetPart(zoom, offset_y_, height_, flip) + plus_y_);
  }
  // The parent's ChildOriginX and ChildOriginY; 0 without a parent.
  int64_t ParentOriginX() const { return parent_ ? parent_->ChildOriginX() : 0; }
  int64_t ParentOriginY() const { return parent_ ? parent_->ChildOriginY() : 0; }
  // Invalidates, runs change, invalidates again.
  template <typename F>
  void Repaint(F change) {
    Invalidate();
    change();
    Invalidate();
  }

 private:
  void AddChild(TRivoControl* child);
  void RemoveChild(TRivoControl* child);
  // The rule for one axis (see AbsLeft).
  // z × v / 256 without overflowing on the way.
  static int32_t Zoomed(int32_t zoom, int32_t value) { return Low32(int64_t{zoom} * value / 256); }
  int32_t OffsetPart(int32_t zoom, int32_t offset, int32_t size, bool flip) const {
    const int32_t scaled = zoom == 256 ? offset : Zoomed(zoom, offset);
    return flip ? Low32(int64_t{size} - scaled - 1) : scaled;
  }
  int32_t PositionPart(int32_t zoom, int32_t position, int32_t motion) const {
    if (HasMotion()) return motion;
    return pos_zoomed_ ? Zoomed(zoom, position) : position;
  }
  void SetClip(int32_t& field, int32_t v);
  void RefreshFocusAfterMove();

  TRivoControl* parent_ = nullptr;       // the tree's own link, cut on destruction
  // The children's origin, worked out once while DrawChildren draws them:
  // otherwise every child, and every AbsLeft or AbsTop it asks for, walks up
  // the tree again through virtual calls. Nothing moves while drawing.
  struct ChildrenOrigin {
    bool known = false;
    int64_t x = 0, y = 0;
  } children_origin_;
  std::vector<TRivoControl*> children_;  // likewise
  int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int32_t offset_x_ = 0, offset_y_ = 0;
  int32_t plus_x_ = 0, plus_y_ = 0;
  int32_t motion_x_ = 0, motion_y_ = 0;
  int32_t clip_left_ = 0, clip_top_ = 0, clip_width_ = 0, clip_height_ = 0;
  bool pos_zoomed_ = false;
  bool visible_ = true;
  int32_t color_ = -1;
  TRect stored_rect_{0, 0, 1, 1};
  uint8_t ignore_mouse_ = IM_NONE;
  std::string cursor_;
  bool selection_mark_ = false;
  std::string motion_;
  bool ani_paused_ = false;
  bool handle_key_ = false;
};

}  // namespace rivo

#pragma once
// TRivoBase: one of the screen's two pages, the root of a visible tree. A
// base has no parent; it is visible by its own flag alone. It holds the
// mouse state the window writes between ticks and the mouse step reads
// (position, presses, clicks of the tick, held buttons, wheel, capture,
// the hovered object). Drawing and the mouse step itself build on this
// class.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "graphics/clip_list.h"
#include "graphics/dibx.h"
#include "objects/rivo_control.h"

namespace rivo {

class TRivoBase : public TRivoControl {
 public:
  // Bases carry their system names (0x01 "BASE0", 0x01 "BASE1").
  TRivoBase(TRivoBaseList& owner, int32_t index) : TRivoControl(owner), index_(index) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  bool NeedsAutoName() const override { return false; }
  TRivoBase* GetBase() override { return this; }
  bool IsVisible() const override { return GetVisible(); }
  // A base has no parent to take.
  void SetParentByName(std::string_view) override {}
  // Bases raise no press events.
  int32_t Index() const { return index_; }

  // Cuts rect to the base and adds it to the changed area (AddDirtyRect).
  void InvalidateRect(const TRect& rect) override;
  // Adds rect (already cut to the base) to the changed area.
  void AddDirtyRect(const TRect& rect);
  // The whole base changed.
  void InvalidateAll();
  // The changed area holds the whole base already.
  bool WhollyDirty() const;

  // --- drawing
  // Its own picture, drawn into while it is not shown straight into the
  // screen's back buffer.
  TDIBX Surface;
  // The changed rectangles of this base, emptied after each presentation.
  TClipList Dirty;
  // Where the base draws now: the screen's back buffer when it is the shown
  // base and no transition is prepared, else its own surface.
  TCustomDIBX& GetSurface();
  // Redraws the changed rectangles.
  void DrawPage();
  // What the next DrawPage changes of its own surface, which it does not
  // make anew: its changed rectangles, none when nothing of the base draws
  // (no colour, no controls); nullopt when the surface is made anew.
  std::optional<std::vector<TRect>> ChangesOfDrawPage() const;
  // Redrawing the whole base gives the same picture whatever its surface
  // held: the base fills itself with its colour, or a child covers it with
  // an opaque fill before the rest is drawn over it. Its surface, holding
  // its last drawing, then needs only its changed rectangles redrawn.
  bool RedrawCoversEverything() const;
  // The picture the next DrawPage will leave, made in target (a copy of
  // where the base draws, with the changed rectangles drawn over it); the
  // base itself is left as it was.
  void ComposeInto(TDIBX& target);

  // --- the mouse step (the shown base, once a tick)
  void ProcessMouse();

  // The mouse state (window input between ticks, the mouse step in a tick).
  int32_t MouseX = 0, MouseY = 0;
  bool Moved = false;
  bool LeftPress = false, RightPress = false;  // arrived since the last tick
  bool LeftClick = false, RightClick = false;  // this tick's, not consumed yet
  bool LeftHeld = false, RightHeld = false;
  bool WheelDown = false, WheelUp = false;
  bool WheelDownNow = false, WheelUpNow = false;
  // Bit 4: left capture, bit 8: right capture; bits 1 and 2: a pending
  // release for controls that take the mouse in their own way.
  uint32_t Capture = 0;
  static constexpr uint32_t kLeftCaptureBit = 4;
  ObjectHandle Hovered;
  std::string CursorFile;

  // Stores a new pointer position; Moved when it differs.
  void UpdateMouse(int32_t x, int32_t y);

 private:
  // The own surface follows the base's size.
  void ResizeSurface();
  void DrawChanged(TCustomDIBX& surface);

  int32_t index_;
};

}  // namespace rivo

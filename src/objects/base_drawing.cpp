// Drawing of a base: its changed rectangles, one after another, each
// cleared to the base's colour and then drawn over by the controls in it.

#include <algorithm>

#include "objects/rivo_base.h"
#include "objects/rivo_base_list.h"

namespace rivo {

void TRivoBase::AddDirtyRect(const TRect& rect) { Dirty.Add(rect); }

void TRivoBase::InvalidateAll() { AddDirtyRect(Bounds(0, 0, GetWidth(), GetHeight())); }

bool TRivoBase::WhollyDirty() const {
  const TRect page = Bounds(0, 0, GetWidth(), GetHeight());
  return std::ranges::any_of(Dirty.Rects(), [&](const TRect& r) { return Union(r, page) == r; });
}

TCustomDIBX& TRivoBase::GetSurface() {
  TRivoBaseList& screen = Owner();
  if (&screen.ActiveBase() == this && screen.TransitionKind() == 0) return screen.BackBuffer();
  return Surface;
}

void TRivoBase::ResizeSurface() {
  if (Surface.Width() == GetWidth() && Surface.Height() == GetHeight()) return;
  Surface.SetSize(GetWidth(), GetHeight(), 32);
  InvalidateAll();
}

void TRivoBase::DrawPage() {
  ResizeSurface();
  DrawChanged(GetSurface());
}

std::optional<std::vector<TRect>> TRivoBase::ChangesOfDrawPage() const {
  if (Surface.Width() != GetWidth() || Surface.Height() != GetHeight()) return std::nullopt;  // made anew
  if (!IsVisible() || (GetColor() < 0 && Children().empty() && !GetSelectionMark())) return std::vector<TRect>{};
  return Dirty.Rects();
}

bool TRivoBase::RedrawCoversEverything() const {
  return (GetColor() >= 0 && GetClipRect().IsEmpty()) || CoveringChild(GetScreenRect()) < Children().size();
}

void TRivoBase::ComposeInto(TDIBX& target) {
  ResizeSurface();
  const TCustomDIBX& surface = GetSurface();
  target.SetSize(surface.Width(), surface.Height(), 32);
  target.Assign(surface);
  DrawChanged(target);
}

void TRivoBase::DrawChanged(TCustomDIBX& surface) {
  if (!IsVisible() || surface.IsEmpty()) return;
  const TRect page = Bounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
  const TRect own_clip = GetClipRect();
  for (const TRect& dirty : Dirty.Rects()) {
    surface.SetClipRect(dirty);
    if (GetColor() >= 0) {
      TRect fill = own_clip.IsEmpty() ? page : Intersect(page, own_clip);
      surface.FillRect(fill, static_cast<uint32_t>(surface.ColorToPixel(GetColor())));
    }
    DrawChildren(surface);
  }
  surface.ResetClip();
}

}  // namespace rivo

// Drawing of every control: a kind draws itself, then its children, each
// child clipped to its parent's rectangle and to its own clip rectangle,
// so nothing spills out of the control that holds it.

#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"

namespace rivo {

void TRivoControl::Draw(TCustomDIBX& surface) { DrawChildren(surface); }

std::size_t TRivoControl::CoveringChild(const TRect& area) const {
  for (std::size_t i = children_.size(); i-- > 0;) {
    const TRivoControl& child = *children_[i];
    if (!child.GetVisible() || child.HasClipRect() || !child.FillsOpaquely()) continue;
    const TRect r = child.GetScreenRect();
    if (r.Left <= area.Left && r.Top <= area.Top && r.Right >= area.Right && r.Bottom >= area.Bottom) return i;
  }
  return children_.size();
}

void TRivoControl::DrawChildren(TCustomDIBX& surface) {
  // Most controls have no children: nothing to place, so no rectangle to
  // work out (a frame redraws every control under each changed rectangle).
  if (children_.empty() && !selection_mark_) return;
  const bool had_clip = surface.HasClip();
  const TRect outer = surface.GetClipRect();
  const TRect inside = Intersect(GetScreenRect(), outer);
  if (!inside.IsEmpty()) {
    const int64_t origin_x = ChildOriginX(), origin_y = ChildOriginY();
    children_origin_ = {true, origin_x, origin_y};
    struct Forget {  // however the drawing ends
      ChildrenOrigin& origin;
      ~Forget() { origin.known = false; }
    } forget{children_origin_};
    // Children under one that paints over all of the rectangle would draw
    // nothing that shows. A child may change the list while it draws (none
    // does today); walk by index.
    const std::size_t cover = CoveringChild(inside);
    for (std::size_t i = cover < children_.size() ? cover : 0; i < children_.size(); ++i) {
      TRivoControl* child = children_[i];
      if (!child->GetVisible()) continue;
      TRect clip = inside;
      if (TRect own = child->HasClipRect() ? child->GetClipRect() : TRect{}; !own.IsEmpty()) {
        clip = Intersect(clip, own);
        if (clip.IsEmpty()) continue;
      }
      surface.SetClipRect(clip);
      child->Draw(surface);
    }
    if (had_clip) surface.SetClipRect(outer);
    else surface.ResetClip();
  }
  if (selection_mark_ && DrawsSelectionMark())
    surface.FramePattern(GetScreenRect(), 1, 0, 0, Owner().SelectionPattern());
}

}  // namespace rivo

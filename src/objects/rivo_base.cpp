#include "objects/rivo_base.h"

namespace rivo {

const PropertyAccessors& TRivoBase::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoControl::ClassProperties();
    // A base has no parent: it reads "" and ignores writes.
    t.RemoveSetter(PR_PARENT);
    return t;
  }();
  return table;
}

void TRivoBase::InvalidateRect(const TRect& rect) {
  TRect cut = Intersect(rect, Bounds(0, 0, GetWidth(), GetHeight()));
  if (!cut.IsEmpty()) AddDirtyRect(cut);
}

void TRivoBase::UpdateMouse(int32_t x, int32_t y) {
  if (x == MouseX && y == MouseY) return;
  MouseX = x;
  MouseY = y;
  Moved = true;
}

}  // namespace rivo

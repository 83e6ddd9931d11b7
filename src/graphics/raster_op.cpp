#include "graphics/raster_op.h"

#include "common/numbers.h"
#include "graphics/custom_dibx.h"
#include "graphics/rotation.h"

namespace rivo {

RasterOpFamily FamilyOf(RasterOpKind kind) {
  switch (kind) {
    case RasterOpKind::kFillRect:
    case RasterOpKind::kFillRectAlpha:
    case RasterOpKind::kFillRectAdd:
    case RasterOpKind::kFillRectSub:
      return RasterOpFamily::kFill;
    case RasterOpKind::kDraw:
    case RasterOpKind::kDrawAlpha:
    case RasterOpKind::kDrawAdd:
    case RasterOpKind::kDrawMask:
    case RasterOpKind::kDrawAlphaMask:
    case RasterOpKind::kDrawAddMask:
    case RasterOpKind::kFillMask:
    case RasterOpKind::kDrawIndexedAdd:
      return RasterOpFamily::kPlacement;
    case RasterOpKind::kStretchDraw:
    case RasterOpKind::kStretchDrawAdd:
    case RasterOpKind::kStretchDrawMask:
    case RasterOpKind::kStretchDrawAddMask:
    case RasterOpKind::kStretchDrawIndexed:
      return RasterOpFamily::kStretch;
    case RasterOpKind::kDrawRotate:
    case RasterOpKind::kDrawRotateMask:
      return RasterOpFamily::kRotation;
    case RasterOpKind::kFillPattern:
    case RasterOpKind::kFillPatternZoom:
    case RasterOpKind::kFillPatternZoomMask:
      return RasterOpFamily::kPattern;
  }
  return RasterOpFamily::kFill;
}

bool RasterOp::IsRegionOp() const {
  const RasterOpFamily family = Family();
  return family != RasterOpFamily::kFill && family != RasterOpFamily::kPlacement;
}

TRect RasterOp::Extent() const {
  switch (Family()) {
    case RasterOpFamily::kPlacement:
      return Bounds(x, y, source_rect.Width(), source_rect.Height());
    case RasterOpFamily::kRotation:
      if (zoom_x <= 0 || zoom_y <= 0) return {};
      return RotatedBoundingBox(x, y, {angle, pivot_x, pivot_y, zoom_x, zoom_y},
                                source_rect.Width(), source_rect.Height());
    default:
      return rect;
  }
}

RasterOp RasterOp::MovedRight(int32_t dx) const {
  RasterOp moved = *this;
  moved.x = WrapAdd(x, dx);
  moved.rect = rect.Offset(dx, 0);
  return moved;
}

}  // namespace rivo

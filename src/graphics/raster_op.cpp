#include "graphics/raster_op.h"

#include "common/numbers.h"
#include "graphics/custom_dibx.h"
#include "graphics/rotation.h"

namespace rivo {

bool RasterOp::IsRegionOp() const {
  switch (kind) {
    case RasterOpKind::kStretchDraw:
    case RasterOpKind::kStretchDrawAdd:
    case RasterOpKind::kStretchDrawMask:
    case RasterOpKind::kStretchDrawAddMask:
    case RasterOpKind::kStretchDrawIndexed:
    case RasterOpKind::kDrawRotate:
    case RasterOpKind::kDrawRotateMask:
    case RasterOpKind::kFillPattern:
    case RasterOpKind::kFillPatternZoom:
    case RasterOpKind::kFillPatternZoomMask:
      return true;
    default:
      return false;
  }
}

TRect RasterOp::Extent() const {
  switch (kind) {
    case RasterOpKind::kDraw:
    case RasterOpKind::kDrawAlpha:
    case RasterOpKind::kDrawAdd:
    case RasterOpKind::kDrawMask:
    case RasterOpKind::kDrawAlphaMask:
    case RasterOpKind::kDrawAddMask:
    case RasterOpKind::kFillMask:
    case RasterOpKind::kDrawIndexedAdd:
      return Bounds(x, y, source_rect.Width(), source_rect.Height());
    case RasterOpKind::kDrawRotate:
    case RasterOpKind::kDrawRotateMask:
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

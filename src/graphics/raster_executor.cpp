#include "graphics/custom_dibx.h"
#include "graphics/raster_runners.h"

namespace rivo {

TPixelSource PixelsOf(const TCustomDIBX* surface) {
  return surface ? surface->SourcePixels() : TPixelSource{};
}

void ExecuteRasterOp(const TPixelTarget& target, const RasterOp& op) {
  if (!target.bits || target.clip.IsEmpty()) return;
  switch (op.kind) {
    case RasterOpKind::kFillRect:
    case RasterOpKind::kFillRectAlpha:
    case RasterOpKind::kFillRectAdd:
    case RasterOpKind::kFillRectSub:
      RunFill(target, op);
      break;
    case RasterOpKind::kDraw:
    case RasterOpKind::kDrawAlpha:
    case RasterOpKind::kDrawAdd:
    case RasterOpKind::kDrawMask:
    case RasterOpKind::kDrawAlphaMask:
    case RasterOpKind::kDrawAddMask:
    case RasterOpKind::kFillMask:
    case RasterOpKind::kDrawIndexedAdd:
      RunPlacement(target, op);
      break;
    case RasterOpKind::kStretchDraw:
    case RasterOpKind::kStretchDrawAdd:
    case RasterOpKind::kStretchDrawMask:
    case RasterOpKind::kStretchDrawAddMask:
    case RasterOpKind::kStretchDrawIndexed:
      RunStretch(target, op);
      break;
    case RasterOpKind::kDrawRotate:
    case RasterOpKind::kDrawRotateMask:
      RunRotate(target, op);
      break;
    case RasterOpKind::kFillPattern:
    case RasterOpKind::kFillPatternZoom:
    case RasterOpKind::kFillPatternZoomMask:
      RunPattern(target, op);
      break;
  }
}

}  // namespace rivo

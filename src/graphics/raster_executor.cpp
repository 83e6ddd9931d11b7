#include "graphics/custom_dibx.h"
#include "graphics/raster_runners.h"

namespace rivo {

TPixelSource PixelsOf(const TCustomDIBX* surface) {
  return surface ? surface->SourcePixels() : TPixelSource{};
}

void ExecuteRasterOp(const TPixelTarget& target, const RasterOp& op) {
  if (!target.bits || target.clip.IsEmpty()) return;
  switch (op.Family()) {
    case RasterOpFamily::kFill: RunFill(target, op); break;
    case RasterOpFamily::kPlacement: RunPlacement(target, op); break;
    case RasterOpFamily::kStretch: RunStretch(target, op); break;
    case RasterOpFamily::kRotation: RunRotate(target, op); break;
    case RasterOpFamily::kPattern: RunPattern(target, op); break;
  }
}

}  // namespace rivo

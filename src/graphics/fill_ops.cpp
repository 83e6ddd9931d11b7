// Rectangle fills: plain, alpha (pixels already holding the value stay),
// saturating add and subtract.

#include "graphics/raster_runners.h"
#include "graphics/row_kernels.h"

namespace rivo {

void RunFill(const TPixelTarget& t, const RasterOp& op) {
  const TRect r = Intersect(op.rect, t.clip);
  if (r.IsEmpty()) return;
  if (op.kind == RasterOpKind::kFillRectAlpha && op.alpha <= 0) return;
  WithPolicy(t.bit_count, [&]<class P>() {
    using Pixel = typename P::Pixel;
    const Pixel c = P::FromValue(op.value);
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
      Pixel* d = t.Row<Pixel>(y) + r.Left;
      const int32_t n = r.Width();
      switch (op.kind) {
        case RasterOpKind::kFillRect: Rows<P>::Fill(d, n, c); break;
        case RasterOpKind::kFillRectAlpha: Rows<P>::FillBlend(d, n, c, ClampWeight(op.alpha)); break;
        case RasterOpKind::kFillRectAdd: Rows<P>::FillAdd(d, n, c); break;
        default: Rows<P>::FillSub(d, n, c); break;
      }
    }
  });
}

}  // namespace rivo

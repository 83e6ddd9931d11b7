// Placements: the source rectangle drawn with its top-left corner at (x, y),
// mirrored on request, by copy, blend, add, mask, coverage or colour table.

#include "graphics/placement_clip.h"
#include "graphics/raster_runners.h"
#include "graphics/row_kernels.h"

namespace rivo {
namespace {

bool NeedsAlpha(RasterOpKind kind) {
  return kind != RasterOpKind::kDraw && kind != RasterOpKind::kDrawMask;
}

bool HasMask(RasterOpKind kind) {
  return kind == RasterOpKind::kDrawMask || kind == RasterOpKind::kDrawAlphaMask ||
         kind == RasterOpKind::kDrawAddMask;
}

// Sources that are not pictures of the target's format: coverage masks and
// palette indices.
bool ReadsBytes(RasterOpKind kind) {
  return kind == RasterOpKind::kFillMask || kind == RasterOpKind::kDrawIndexedAdd;
}

template <class P>
void Place(const TPixelTarget& t, const RasterOp& op, const TPixelSource& src,
           const TPixelSource& mask, const TPlacement& p) {
  using Pixel = typename P::Pixel;
  using R = Rows<P>;
  const int32_t step = op.flip_h ? -1 : 1;
  const int32_t n = p.dest.Width();
  const int32_t sx = p.SourceColumn(0, op.flip_h);
  const RowKey key{op.use_key && src.transparent != -1,
                   P::FromValue(static_cast<uint32_t>(src.transparent))};
  const uint32_t w = ClampWeight(op.alpha);
  const MaskRule alpha_rule = op.alpha >= 255 ? MaskRule{256, At255::kCopy}
                                              : MaskRule{w, At255::kAlpha};
  for (int32_t i = 0; i < p.dest.Height(); ++i) {
    Pixel* d = t.Row<Pixel>(p.dest.Top + i) + p.dest.Left;
    const int32_t sy = p.SourceRow(i, op.flip_v);
    const uint8_t* m = mask.Valid() ? mask.Row<uint8_t>(sy) + sx : nullptr;
    if (ReadsBytes(op.kind)) {
      const uint8_t* bytes = src.Row<uint8_t>(sy) + sx;
      if (op.kind == RasterOpKind::kFillMask) {
        R::FillMask(d, bytes, n, step, P::FromValue(op.value),
                    op.alpha >= 255 ? MaskRule{256, At255::kFormula} : MaskRule{w, At255::kAlpha});
        continue;
      }
      for (int32_t j = 0; j < n; ++j, bytes += step)
        if (*bytes >= op.lowest_index) d[j] = P::Add(d[j], P::FromValue(op.color_table[*bytes]), w);
      continue;
    }
    const Pixel* s = src.Row<Pixel>(sy) + sx;
    switch (op.kind) {
      case RasterOpKind::kDraw:
        if (key.enabled) R::CopyKeyed(d, s, n, step, key);
        else R::Copy(d, s, n, step);
        break;
      case RasterOpKind::kDrawAlpha: R::Blend(d, s, n, step, w, key, true); break;
      case RasterOpKind::kDrawAdd: R::Add(d, s, n, step, w, key); break;
      case RasterOpKind::kDrawMask: R::MaskBlend(d, s, m, n, step, {256, At255::kCopy}, true); break;
      case RasterOpKind::kDrawAlphaMask: R::MaskBlend(d, s, m, n, step, alpha_rule, true); break;
      default: R::MaskAdd(d, s, m, n, step, {w, At255::kAlpha}); break;
    }
  }
}

}  // namespace

void RunPlacement(const TPixelTarget& t, const RasterOp& op) {
  if (NeedsAlpha(op.kind) && op.alpha <= 0) return;
  if (op.kind == RasterOpKind::kDrawIndexedAdd && !op.color_table) return;
  const TPixelSource src = PixelsOf(op.source);
  if (!src.Valid() || src.bit_count != (ReadsBytes(op.kind) ? 8 : t.bit_count)) return;
  TRect bounds = src.Bounds();
  TPixelSource mask;
  if (HasMask(op.kind)) {
    mask = PixelsOf(op.mask);
    if (!mask.Valid() || mask.bit_count != 8) return;
    bounds = Intersect(bounds, mask.Bounds());
  }
  TPlacement p;
  if (!ClipPlacement(op.x, op.y, op.source_rect, op.flip_v, op.flip_h, bounds, t.clip, p)) return;
  WithPolicy(t.bit_count, [&]<class P>() { Place<P>(t, op, src, mask, p); });
}

}  // namespace rivo

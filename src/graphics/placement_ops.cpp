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

// Calls row(destination row, source row index) for every row placed.
template <class P, class Row>
void ForEachRow(const TPixelTarget& t, const TPlacement& p, bool flip_v, Row row) {
  using Pixel = typename P::Pixel;
  for (int32_t i = 0; i < p.dest.Height(); ++i)
    row(t.Row<Pixel>(p.dest.Top + i) + p.dest.Left, p.SourceRow(i, flip_v));
}

// The kind is chosen once per placement, not per row: a glyph or a small
// changed rectangle is a few dozen short rows.
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
  auto rows = [&](auto row) { ForEachRow<P>(t, p, op.flip_v, row); };
  auto pixels = [&](int32_t sy) { return src.Row<Pixel>(sy) + sx; };
  auto bytes = [&](int32_t sy) { return src.Row<uint8_t>(sy) + sx; };
  auto mask_bytes = [&](int32_t sy) { return mask.Row<uint8_t>(sy) + sx; };
  switch (op.kind) {
    case RasterOpKind::kFillMask: {
      const Pixel c = P::FromValue(op.value);
      const MaskRule rule = op.alpha >= 255 ? MaskRule{256, At255::kFormula} : MaskRule{w, At255::kAlpha};
      rows([&](Pixel* d, int32_t sy) { R::FillMask(d, bytes(sy), n, step, c, rule); });
      break;
    }
    case RasterOpKind::kDrawIndexedAdd:
      rows([&](Pixel* d, int32_t sy) {
        const uint8_t* b = bytes(sy);
        for (int32_t j = 0; j < n; ++j, b += step)
          if (*b >= op.lowest_index) d[j] = P::Add(d[j], P::FromValue(op.color_table[*b]), w);
      });
      break;
    case RasterOpKind::kDraw:
      if (key.enabled) {
        rows([&](Pixel* d, int32_t sy) { R::CopyKeyed(d, pixels(sy), n, step, key); });
      } else {
        // Plain copies (a background under a changed rectangle) step from
        // row to row instead of working each row's place out afresh.
        Pixel* d = t.Row<Pixel>(p.dest.Top) + p.dest.Left;
        const Pixel* s = pixels(p.SourceRow(0, op.flip_v));
        const std::ptrdiff_t source_pitch = op.flip_v ? -src.pitch : src.pitch;
        for (int32_t i = 0; i < p.dest.Height(); ++i) {
          R::Copy(d, s, n, step);
          d = RowBlock::Next(d, t.pitch);
          s = RowBlock::Next(s, source_pitch);
        }
      }
      break;
    case RasterOpKind::kDrawAlpha:
      rows([&](Pixel* d, int32_t sy) { R::Blend(d, pixels(sy), n, step, w, key, true); });
      break;
    case RasterOpKind::kDrawAdd:
      rows([&](Pixel* d, int32_t sy) { R::Add(d, pixels(sy), n, step, w, key); });
      break;
    case RasterOpKind::kDrawMask:
    case RasterOpKind::kDrawAlphaMask: {
      // Text: the whole placement in one call.
      const MaskRule rule = op.kind == RasterOpKind::kDrawMask ? MaskRule{256, At255::kCopy} : alpha_rule;
      const int32_t sy = p.SourceRow(0, op.flip_v);
      const int32_t upwards = op.flip_v ? -1 : 1;
      const RowBlock block{n, p.dest.Height(), t.pitch, upwards * src.pitch, upwards * mask.pitch};
      R::MaskBlendBlock(t.Row<Pixel>(p.dest.Top) + p.dest.Left, pixels(sy), mask_bytes(sy), block, step, rule, true);
      break;
    }
    default: {
      const MaskRule weigh{w, At255::kAlpha};
      rows([&](Pixel* d, int32_t sy) { R::MaskAdd(d, pixels(sy), mask_bytes(sy), n, step, weigh); });
      break;
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

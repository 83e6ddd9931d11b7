// Drawing a glyph into its text cell: the centring shift, plain cells, and
// cells with a border or a drop shadow, with their underline and strike-out
// bars.

#include "common/numbers.h"
#include "text/font_pixel.h"

namespace rivo {
namespace {

// The two layers written together: a bar is the colour in the colour layer
// and full coverage in the coverage layer.
struct Layers {
  TDIBX& colour;
  TDIBX& coverage;
  TRect touched;

  void Bar(TRect r, uint32_t value) {
    if (r.IsEmpty()) return;
    colour.FillRect(r, value);
    coverage.FillRect(r, 255);
    touched = Union(touched, r);
  }
};

}  // namespace

int32_t TFontPixel::CentringShift(int32_t cell_width) const {
  const int32_t free = std::min(cell_width, FontSize) - Width();
  if (int64_t{GlyphLeft} + AdvanceRest >= free) return 0;
  if (!abc_) abc_ = Font ? Font->CharAbcWidths(Code) : AbcWidths{0, Width(), 0};
  const int64_t a = abc_->a, b = abc_->b, c = abc_->c;
  int64_t s;
  // A glyph whose ABC widths add up to nothing or less (a broken font) is
  // simply centred; only a real advance can weigh its side bearings.
  if (a + c != 0 && a + b + c > 0)
    s = Round(static_cast<long double>(a + b / 2) * free / static_cast<long double>(a + b + c));
  else
    s = free / 2;
  s -= GlyphLeft;
  return s < 0 ? 0 : static_cast<int32_t>(s);
}

TRect TFontPixel::DrawCell(TDIBX& colour_layer, TDIBX& coverage_layer, const TRect& cell,
                           const TCellStyle& style) const {
  if (IsBlank()) return {};
  const int32_t b = std::clamp(style.border, 0, kMaxBorderWidth);
  const int32_t d = std::clamp(style.shadow, 0, kMaxShadowOffset);
  const int32_t L = cell.Left, T = cell.Top, W = cell.Width(), H = cell.Height();
  const int32_t s = CentringShift(W);
  const int32_t w = Width(), h = Height();
  const int32_t gx = WrapAdd(WrapAdd(L, GlyphLeft), s);
  const int32_t gy = WrapAdd(T, GlyphTop);
  Layers layers{colour_layer, coverage_layer,
                Bounds(gx, gy, WrapAdd(w, 2 * b + d), WrapAdd(h, 2 * b + d))};

  if (b == 0 && d == 0) {
    DrawSolid(colour_layer, gx, gy, style.text_color);
    MaxCoverage(coverage_layer, gx, gy);
    // Plain cells are shown by filling the text colour through the
    // coverage layer, so the bars go to the coverage layer alone.
    auto coverage_bar = [&](const TRect& r) {
      if (r.IsEmpty()) return;
      coverage_layer.FillRect(r, 255);
      layers.touched = Union(layers.touched, r);
    };
    if (UnderlineSize > 0) coverage_bar(Bounds(L, T + H - UnderlineSize, W, UnderlineSize));
    if (StrikeoutSize > 0) coverage_bar(Bounds(L, T + StrikeoutTop, W, StrikeoutSize));
    return layers.touched;
  }

  // A shadow bar starts d further right at the start of a run, so that the
  // run's shadow does not stick out before its first character; a main bar
  // ends d earlier at the end of a run, where its shadow shows instead.
  auto shadow_bar = [&](int32_t top, int32_t height) {
    const int32_t left = style.first_in_run ? L + d : L;
    return TRect{left, top, L + W, top + height};
  };
  auto main_bar = [&](int32_t top, int32_t height) {
    const int32_t right = style.last_in_run ? L + W - d : L + W;
    return TRect{L, top, right, top + height};
  };

  if (d > 0) {
    if (UnderlineSize > 0)
      layers.Bar(shadow_bar(T + H - 2 * b - UnderlineSize, 2 * b + UnderlineSize), style.shadow_color);
    const int32_t sx = gx + d, sy = gy + d;
    if (b < 1) {
      coverage_layer.Draw(sx, sy, false, false, false, Bitmap.GetBounds(), Bitmap);
      DrawSolid(colour_layer, sx, sy, style.shadow_color);
      layers.touched = Union(layers.touched, Bounds(sx, sy, w, h));
    } else {
      DrawBorder(colour_layer, coverage_layer, style.shadow_color, b, sx + b, sy + b);
      layers.touched = Union(layers.touched, Bounds(sx, sy, w + 2 * b, h + 2 * b));
    }
    if (StrikeoutSize > 0)
      layers.Bar(shadow_bar(T + d + StrikeoutTop, 2 * b + StrikeoutSize), style.shadow_color);
  }

  const int32_t mx = gx + b, my = gy + b;
  if (UnderlineSize > 0) {
    layers.Bar(main_bar(T + H - d - b - UnderlineSize, UnderlineSize), style.text_color);
    if (b > 0) {
      layers.Bar(main_bar(T + H - d - 2 * b - UnderlineSize, b), style.border_color);
      layers.Bar(main_bar(T + H - d - b, b), style.border_color);
    }
  }
  if (b < 1) {
    DrawOver(colour_layer, coverage_layer, style.text_color, mx, my);
  } else {
    DrawBorder(colour_layer, coverage_layer, style.border_color, b, mx, my);
    SetCoverage(coverage_layer, mx, my);
    DrawBlend(colour_layer, mx, my, style.text_color, style.border_color);
  }
  if (StrikeoutSize > 0) {
    layers.Bar(main_bar(T + b + StrikeoutTop, StrikeoutSize), style.text_color);
    if (b > 0) {
      layers.Bar(main_bar(T + StrikeoutTop, b), style.border_color);
      layers.Bar(main_bar(T + StrikeoutTop + b + StrikeoutSize, b), style.border_color);
    }
  }
  return layers.touched;
}

}  // namespace rivo

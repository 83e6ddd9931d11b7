// Drawing a glyph into its text cell: the centring shift, plain cells, and
// cells with a border or a drop shadow, with their underline and strike-out
// bars.

#include <algorithm>
#include <climits>

#include "text/font_pixel.h"

namespace rivo {
namespace {

// The two layers written together: a bar is the colour in the colour layer
// and full coverage in the coverage layer.
struct Layers {
  TDIBX& colour;
  TDIBX& coverage;
  TRect touched;

  void Bar(const TRect& r, uint32_t value) {
    if (r.IsEmpty()) return;
    colour.FillRect(r, value);
    coverage.FillRect(r, 255);
    touched = Union(touched, r);
  }
};

// Cells far outside a layer stay defined: positions are worked out in 64
// bits and kept within the 32-bit range.
int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

TRect Rect64(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  return {Clamp32(left), Clamp32(top), Clamp32(right), Clamp32(bottom)};
}

// num / den (den > 0) rounded to the nearest integer, halves to even.
int64_t RoundedQuotient(int64_t num, int64_t den) {
  int64_t q = num / den, r = num % den;
  if (r < 0) {  // floor division
    q -= 1;
    r += den;
  }
  if (2 * r > den || (2 * r == den && (q & 1) != 0)) q += 1;
  return q;
}

}  // namespace

const AbcWidths& TFontPixel::Abc() const {
  if (!abc_) abc_ = Font ? Font->CharAbcWidths(Code) : AbcWidths{0, Width(), 0};
  return *abc_;
}

int32_t TFontPixel::CentringShift(int32_t cell_width) const {
  const int64_t free = int64_t{std::min(cell_width, FontSize)} - Width();
  if (int64_t{GlyphLeft} + AdvanceRest >= free) return 0;
  const AbcWidths& abc = Abc();
  const int64_t a = abc.a, b = abc.b, c = abc.c;
  int64_t s;
  // A glyph whose ABC widths add up to nothing or less (a broken font) is
  // simply centred; only a real advance can weigh its side bearings.
  if (a + c != 0 && a + b + c > 0)
    s = RoundedQuotient((a + b / 2) * free, a + b + c);
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
  const int64_t L = cell.Left, T = cell.Top, W = cell.Width(), H = cell.Height();
  const int64_t s = CentringShift(cell.Width());
  const int64_t w = Width(), h = Height();
  const int32_t gx = Clamp32(L + GlyphLeft + s);
  const int32_t gy = Clamp32(T + GlyphTop);
  Layers layers{colour_layer, coverage_layer, Rect64(gx, gy, gx + w + 2 * b + d, gy + h + 2 * b + d)};

  if (b == 0 && d == 0) {
    if (!style.coverage_only) DrawSolid(colour_layer, gx, gy, style.text_color);
    MaxCoverage(coverage_layer, gx, gy);
    // Plain cells are shown by filling the text colour through the
    // coverage layer, so the bars go to the coverage layer alone.
    auto coverage_bar = [&](const TRect& r) {
      if (r.IsEmpty()) return;
      coverage_layer.FillRect(r, 255);
      layers.touched = Union(layers.touched, r);
    };
    if (UnderlineSize > 0) coverage_bar(Rect64(L, T + H - UnderlineSize, L + W, T + H));
    if (StrikeoutSize > 0)
      coverage_bar(Rect64(L, T + StrikeoutTop, L + W, T + StrikeoutTop + StrikeoutSize));
    return layers.touched;
  }

  // A shadow bar starts d further right at the start of a run, so that the
  // run's shadow does not stick out before its first character; a main bar
  // ends d earlier at the end of a run, where its shadow shows instead.
  auto shadow_bar = [&](int64_t top, int64_t height) {
    return Rect64(style.first_in_run ? L + d : L, top, L + W, top + height);
  };
  auto main_bar = [&](int64_t top, int64_t height) {
    return Rect64(L, top, style.last_in_run ? L + W - d : L + W, top + height);
  };

  if (d > 0) {
    if (UnderlineSize > 0)
      layers.Bar(shadow_bar(T + H - 2 * b - UnderlineSize, 2 * b + UnderlineSize), style.shadow_color);
    const int32_t sx = Clamp32(int64_t{gx} + d), sy = Clamp32(int64_t{gy} + d);
    if (b < 1) {
      coverage_layer.Draw(sx, sy, false, false, false, Bitmap.GetBounds(), Bitmap);
      DrawSolid(colour_layer, sx, sy, style.shadow_color);
      layers.touched = Union(layers.touched, Rect64(sx, sy, sx + w, sy + h));
    } else {
      DrawBorder(colour_layer, coverage_layer, style.shadow_color, b, Clamp32(int64_t{sx} + b),
                 Clamp32(int64_t{sy} + b));
      layers.touched = Union(layers.touched, Rect64(sx, sy, sx + w + 2 * b, sy + h + 2 * b));
    }
    if (StrikeoutSize > 0)
      layers.Bar(shadow_bar(T + d + StrikeoutTop, 2 * b + StrikeoutSize), style.shadow_color);
  }

  const int32_t mx = Clamp32(int64_t{gx} + b), my = Clamp32(int64_t{gy} + b);
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

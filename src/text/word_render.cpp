// Rendering a page into the word's two layers, and drawing the revealed
// glyphs from them. Characters are rendered once per page (or per change of
// look); each tick only copies what is revealed, at its opacity.

#include <algorithm>

#include "common/numbers.h"
#include "common/sjis.h"
#include "text/default_faces.h"
#include "text/font_pixel_manager.h"
#include "text/layer_limits.h"
#include "text/qn_word.h"

namespace rivo {
namespace {

const TDecorate kPlain{};

const TDecorate& StyleOf(const TWdChar& c) { return c.Decoration ? *c.Decoration : kPlain; }
const TWdChar* AsChar(const TWdGlyph* g) { return g && g->Kind() == GK_CHAR ? static_cast<const TWdChar*>(g) : nullptr; }

TRect LayerRect(const TWdGlyph& g) {
  return Bounds(g.Row ? g.Row->X + g.X : g.X, g.Row ? g.Row->Y + g.Y : g.Y, g.Width, g.Height);
}

// The row's glyph cells run left to right (both edges never go back), and
// the drawing of none reaches further sideways than the result beyond its
// cell; TWdRow::kUnknownReach when the cells are out of order.
int32_t MeasureReach(const TWdRow& row) {
  int64_t reach = 0, left = INT64_MIN, right = INT64_MIN;
  for (const TWdGlyph* g : row.Glyphs) {
    const int64_t cell_left = g->X, cell_right = int64_t{g->X} + g->Width;
    if (cell_left < left || cell_right < right) return TWdRow::kUnknownReach;
    left = cell_left;
    right = cell_right;
    if (g->Kind() != GK_CHAR) continue;  // inline pictures keep to their cells
    const TRect& drawn = static_cast<const TWdChar*>(g)->Rendered;
    if (drawn.IsEmpty()) continue;
    reach = std::max({reach, int64_t{row.X} + cell_left - drawn.Left, int64_t{drawn.Right} - row.X - cell_right});
  }
  return reach <= INT32_MAX / 4 ? static_cast<int32_t>(reach) : TWdRow::kUnknownReach;
}

}  // namespace

TQnWord::Look TQnWord::LookOf(const TWdChar& c) const {
  const TDecorate& d = StyleOf(c);
  return {std::clamp(d.Size ? d.Size : FontHeight, 1, kMaxFontSize),
          std::clamp(d.Border >= 0 ? d.Border : BorderWidth, 0, kMaxBorderWidth),
          std::clamp(d.Shadow >= 0 ? d.Shadow : ShadowOffset, 0, kMaxShadowOffset),
          d.BColor != -1 ? d.BColor : BorderColor, d.SColor != -1 ? d.SColor : ShadowColor};
}

int32_t TQnWord::TextColor(const TWdChar& c) const {
  if (c.Hover) return HoverColor;
  const TDecorate& d = StyleOf(c);
  if (d.Color != -1) return d.Color;
  return c.Link.empty() ? FontColor : LinkColor;
}

void TQnWord::RenderChar(TWdChar& glyph, const TWdGlyph* previous, const TWdGlyph* next) {
  glyph.Rendered = {};
  if (glyph.Row) glyph.Row->Reach = TWdRow::kUnknownReach;
  if (!Glyphs) return;
  const TDecorate& d = StyleOf(glyph);
  const Look look = LookOf(glyph);
  const std::string& font = !d.FontName.empty() ? d.FontName : !FontName.empty() ? FontName : DefaultGothicFace();
  const uint8_t style = static_cast<uint8_t>(d.Style | (glyph.Link.empty() ? 0 : FS_UNDERLINE));
  auto differs = [&](const TWdGlyph* g) {
    const TWdChar* c = AsChar(g);
    return !c || !LookOf(*c).Joins(look);
  };
  TCellStyle cell_style;
  cell_style.border = look.border;
  cell_style.shadow = look.shadow;
  cell_style.first_in_run = differs(previous);
  cell_style.last_in_run = differs(next);
  cell_style.text_color = static_cast<uint32_t>(ColorLayer().ColorToPixel(TextColor(glyph)));
  cell_style.border_color = static_cast<uint32_t>(ColorLayer().ColorToPixel(look.border_color));
  cell_style.shadow_color = static_cast<uint32_t>(ColorLayer().ColorToPixel(look.shadow_color));
  Glyphs->SetAntialiasLevel(AntialiasLevel);

  const TRect box = LayerRect(glyph);
  const int32_t ruby = d.Ruby.empty() ? 0 : std::max(1, look.size / 2);
  const TRect cell{box.Left, box.Top + ruby, box.Right, std::max(box.Top + ruby, box.Bottom)};
  glyph.Rendered = Glyphs->GetGlyph(glyph.Code, font, style, look.size)->DrawCell(ColorLayer(), CoverageLayer(), cell, cell_style);

  // The ruby of a group is drawn by its first glyph, spread over the
  // group's width from there.
  const TWdChar* before = AsChar(previous);
  if (ruby == 0 || (before && StyleOf(*before).Ruby == d.Ruby)) return;
  int64_t width = 0;
  const auto& row = glyph.Row->Glyphs;
  for (auto it = std::find(row.begin(), row.end(), &glyph); it != row.end(); ++it) {
    const TWdChar* c = AsChar(*it);
    if (!c || StyleOf(*c).Ruby != d.Ruby) break;
    width += c->Width;
  }
  std::vector<std::pair<uint16_t, bool>> codes;  // code, double-byte
  for (std::size_t i = 0; i < d.Ruby.size();) {
    std::size_t n = sjis::CharSize(d.Ruby, i);
    uint8_t lead = static_cast<uint8_t>(d.Ruby[i]);
    codes.emplace_back(n == 2 ? static_cast<uint16_t>(lead << 8 | static_cast<uint8_t>(d.Ruby[i + 1])) : lead, n == 2);
    i += n;
  }
  TCellStyle ruby_style = cell_style;
  ruby_style.border = std::min(1, look.border);
  ruby_style.shadow = std::min(1, look.shadow);
  ruby_style.first_in_run = ruby_style.last_in_run = true;
  const uint8_t ruby_font_style = d.Style & (FS_BOLD | FS_ITALIC);
  const long double pitch = static_cast<long double>(width) / static_cast<long double>(codes.size()) / 2;
  for (std::size_t k = 1; k <= codes.size(); ++k) {
    const auto [code, wide] = codes[k - 1];
    int64_t x = Round((2 * static_cast<long double>(k) - 1) * pitch) + box.Left - (wide ? ruby / 2 : ruby / 4);
    TRect ruby_cell = Bounds(static_cast<int32_t>(std::clamp<int64_t>(x, INT32_MIN / 2, INT32_MAX / 2)), box.Top, ruby, ruby);
    TRect touched = Glyphs->GetGlyph(code, font, ruby_font_style, ruby)
                        ->DrawCell(ColorLayer(), CoverageLayer(), ruby_cell, ruby_style);
    glyph.Rendered = Union(glyph.Rendered, touched);
  }
}

void TQnWord::Render(TWdPage& page, bool reset_alpha) {
  const int64_t height = Paging == 1 ? PageHeight : std::max(PageHeight, page.Height());
  const LayerSize size = CapLayerSize(WrapWidth, height, kMaxTextLayerPixels);
  ResetLayer(ColorLayer(), size, 32, 0);
  ResetLayer(CoverageLayer(), size, 8, 0);
  for (const auto& row : page.Rows)
    for (TWdGlyph* g : row->Glyphs)
      if (reset_alpha && (g->Kind() == GK_CHAR || g->Kind() == GK_IMG)) static_cast<TWdReal*>(g)->SetAlpha(0);
  if (LayersLost) return;
  for (const auto& row : page.Rows) {
    const auto& glyphs = row->Glyphs;
    for (std::size_t i = 0; i < glyphs.size(); ++i)
      if (glyphs[i]->Kind() == GK_CHAR)
        RenderChar(static_cast<TWdChar&>(*glyphs[i]), i > 0 ? glyphs[i - 1] : nullptr,
                   i + 1 < glyphs.size() ? glyphs[i + 1] : nullptr);
  }
}

void TQnWord::RenderArea(TWdPage& page, const TRect& area) {
  if (LayersLost || area.IsEmpty() || ColorLayer().IsEmpty()) return;
  // Within the area only: glyphs that reach into it from outside must not
  // be composited twice where they already are.
  ColorLayer().FillRect(area, 0);
  CoverageLayer().FillRect(area, 0);
  ColorLayer().SetClipRect(area);
  CoverageLayer().SetClipRect(area);
  for (const auto& row : page.Rows) {
    const auto& glyphs = row->Glyphs;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
      if (glyphs[i]->Kind() != GK_CHAR) continue;
      auto& c = static_cast<TWdChar&>(*glyphs[i]);
      if (Intersect(Union(c.Rendered, LayerRect(c)), area).IsEmpty()) continue;
      const TRect before = c.Rendered;
      RenderChar(c, i > 0 ? glyphs[i - 1] : nullptr, i + 1 < glyphs.size() ? glyphs[i + 1] : nullptr);
      c.Rendered = Union(before, c.Rendered);
    }
  }
  ColorLayer().ResetClip();
  CoverageLayer().ResetClip();
}

void TQnWord::DrawImage(const TWdImg& img, const TRect& area) {
  if (img.Alpha() == 0 || !img.Image) return;
  const TRect box = AbsoluteRect(img);
  if (Intersect(box, area).IsEmpty()) return;
  // The picture's opacity scales with the word's (its Alpha property).
  int32_t alpha = img.Alpha();
  if (Alpha >= 256) alpha = alpha * std::min(Alpha - 256, 255) / 256 + 256;
  else if (Alpha != 255) alpha = alpha * std::max(Alpha, 0) / 256;
  if (alpha == 0 || alpha == 256) return;
  const bool had_clip = Surface->HasClip();
  const TRect outer = Surface->GetClipRect();
  Surface->SetClipRect(Intersect(area, outer));
  img.Image->Draw(*Surface, box.Left, box.Top, alpha);
  if (had_clip) Surface->SetClipRect(outer);
  else Surface->ResetClip();
}

void TQnWord::DrawPage(const TWdPage& page) {
  if (!Surface || ColorLayer().IsEmpty()) return;
  const int32_t scroll = Paging == 1 ? 0 : page.ScrollY;
  const TRect area = Intersect(Bounds(OriginX, OriginY, WrapWidth, PageHeight), ClipRect);
  if (area.IsEmpty()) return;
  const int32_t dx = OriginX, dy = WrapSub(OriginY, scroll);  // layer to surface
  for (const auto& row : page.Rows) {
    TRect row_rect = Bounds(WrapAdd(OriginX, row->X), WrapSub(WrapAdd(OriginY, row->Y), scroll), row->Width, row->Height());
    row_rect.Left = OriginX;
    row_rect.Right = WrapAdd(OriginX, WrapWidth);
    if (Intersect(row_rect, area).IsEmpty()) continue;
    const auto& glyphs = row->Glyphs;
    auto first = glyphs.begin(), last = glyphs.end();
    if (row->Reach == TWdRow::kUnknownReach) row->Reach = MeasureReach(*row);
    if (row->Reach != TWdRow::kUnknownReach) {
      // Only the glyphs whose cells, widened by the reach, meet the area
      // (a typed glyph's rectangle is a cell or two of a long row).
      const int64_t x = int64_t{dx} + row->X, reach = row->Reach;
      first = std::partition_point(first, last, [&](const TWdGlyph* g) { return x + g->X + g->Width + reach <= area.Left; });
      last = std::partition_point(first, last, [&](const TWdGlyph* g) { return x + g->X - reach < area.Right; });
    }
    for (auto it = first; it != last; ++it) {
      const TWdGlyph* g = *it;
      const uint8_t kind = g->Kind();
      if (kind == GK_IMG) {
        DrawImage(static_cast<const TWdImg&>(*g), area);
        continue;
      }
      if (kind != GK_CHAR) continue;
      const auto& c = static_cast<const TWdChar&>(*g);
      if (c.Alpha() == 0 || c.Rendered.IsEmpty()) continue;
      // The layer part, placed on the surface and cut to the text area.
      TRect on_surface = Intersect(c.Rendered.Offset(dx, dy), area);
      if (on_surface.IsEmpty()) continue;
      const TRect source = on_surface.Offset(-dx, -dy);
      const Look look = LookOf(c);
      if (look.border != 0 || look.shadow != 0) {
        if (c.Alpha() < 255)
          Surface->DrawAlphaMask(on_surface.Left, on_surface.Top, c.Alpha(), CoverageLayer(), false, false, source, ColorLayer());
        else
          Surface->DrawMask(on_surface.Left, on_surface.Top, CoverageLayer(), false, false, source, ColorLayer());
      } else {
        Surface->FillMask(on_surface.Left, on_surface.Top, c.Alpha(),
                          static_cast<uint32_t>(Surface->ColorToPixel(TextColor(c))), false, false, source, CoverageLayer());
      }
    }
  }
}

}  // namespace rivo

// Links: finding the glyph under the mouse and lighting the whole run of
// glyphs that share its link.

#include <algorithm>
#include <vector>

#include "text/qn_word.h"

namespace rivo {
namespace {

TWdReal* AsReal(TWdGlyph* glyph) {
  return glyph->Kind() == GK_CHAR || glyph->Kind() == GK_IMG ? static_cast<TWdReal*>(glyph) : nullptr;
}

bool Holds(const TWdRow& row, const TWdGlyph& g, int32_t x, int32_t y) {
  return Bounds(row.X + g.X, row.Y + g.Y, g.Width, g.Height).Contains(x, y);
}

// The page's glyphs in text order, so that link runs can cross rows.
std::vector<TWdGlyph*> Flat(const TWdPage& page) {
  std::vector<TWdGlyph*> glyphs;
  for (const auto& row : page.Rows) glyphs.insert(glyphs.end(), row->Glyphs.begin(), row->Glyphs.end());
  return glyphs;
}

// Calls visit on each glyph of the link run starting at index, and returns
// the index after it. A run ends at a line break or at a visible glyph with
// another link; the operations between its glyphs do not end it.
template <typename Visit>
std::size_t WalkRun(const std::vector<TWdGlyph*>& glyphs, std::size_t index, const std::string& link, Visit visit) {
  for (; index < glyphs.size(); ++index) {
    if (glyphs[index]->Kind() == GK_RETURN) break;
    TWdReal* real = AsReal(glyphs[index]);
    if (!real) continue;
    if (real->Link != link) break;
    visit(*real);
  }
  return index;
}

}  // namespace

TWdReal* TQnWord::HitTest(const TWdPage& page, int32_t x, int32_t y) const {
  int64_t lx = int64_t{x} - OriginX, ly = int64_t{y} - OriginY;
  if (lx < 0 || ly < 0 || lx >= WrapWidth || ly >= PageHeight) return nullptr;
  int32_t px = static_cast<int32_t>(lx);
  int32_t py = static_cast<int32_t>(ly + page.ScrollY);
  for (const auto& row : page.Rows) {
    if (py < row->Y || py >= row->Y + row->Height()) continue;
    for (TWdGlyph* g : row->Glyphs) {
      TWdReal* real = AsReal(g);
      if (real && real->Alpha() > 254 && Holds(*row, *g, px, py)) return real;
    }
  }
  // Images may reach beyond the band of their row.
  for (const auto& row : page.Rows)
    for (TWdGlyph* g : row->Glyphs)
      if (g->Kind() == GK_IMG && Holds(*row, *g, px, py)) return static_cast<TWdReal*>(g);
  return nullptr;
}

void TQnWord::SetHover(TWdPage& page, int32_t x, int32_t y) {
  TWdReal* hit = x < 0 || y < 0 ? nullptr : HitTest(page, x, y);
  if (hit && hit->Link.empty()) hit = nullptr;
  std::vector<TWdGlyph*> glyphs = Flat(page);
  if (hit) {
    // Back to the first glyph of the run.
    std::size_t i = static_cast<std::size_t>(std::find(glyphs.begin(), glyphs.end(), hit) - glyphs.begin());
    while (i > 0 && glyphs[i - 1]->Kind() != GK_RETURN) {
      TWdReal* real = AsReal(glyphs[i - 1]);
      if (real && real->Link != hit->Link) break;
      --i;
      if (real) hit = real;
    }
  }
  if (hit == page.Hovered) return;
  // The runs are rendered again in their new colours, with the glyph after
  // each (which a shadow of the run reaches into).
  TRect area;
  auto touch = [&](TWdGlyph& g) {
    Invalidate(g);
    if (g.Row) area = Union(area, Bounds(g.Row->X + g.X, g.Row->Y + g.Y, g.Width, g.Height));
    if (g.Kind() == GK_CHAR) area = Union(area, static_cast<TWdChar&>(g).Rendered);
  };
  auto light = [&](TWdReal* first, bool on) {
    if (!first) return;
    std::size_t start = static_cast<std::size_t>(std::find(glyphs.begin(), glyphs.end(), first) - glyphs.begin());
    std::size_t after = WalkRun(glyphs, start, first->Link, [&](TWdReal& g) {
      g.Hover = on;
      touch(g);
    });
    if (after < glyphs.size()) touch(*glyphs[after]);
  };
  light(page.Hovered, false);
  light(hit, true);
  page.Hovered = hit;
  RenderArea(page, area);
}

std::string TQnWord::HoveredLinkText(const TWdPage& page) const {
  std::string text;
  if (!page.Hovered) return text;
  std::vector<TWdGlyph*> glyphs = Flat(page);
  std::size_t start =
      static_cast<std::size_t>(std::find(glyphs.begin(), glyphs.end(), page.Hovered) - glyphs.begin());
  WalkRun(glyphs, start, page.Hovered->Link, [&](TWdReal& g) {
    if (g.Kind() == GK_CHAR) static_cast<const TWdChar&>(g).AppendText(text);
  });
  return text;
}

}  // namespace rivo

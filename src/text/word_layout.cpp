// Layout: glyphs measured in cells, cut into units that must stay together,
// and placed into rows and pages.

#include <algorithm>
#include <array>
#include <climits>

#include "common/numbers.h"
#include "text/qn_word.h"

namespace rivo {
namespace {

// Characters that never start a row: 。、｣」』)）､｡!?！？】 (CP932 codes).
constexpr std::array<uint16_t, 14> kNoStart = {0x8142, 0x8141, 0xA3, 0x8176, 0x8178, 0x29,   0x816A,
                                               0xA4,   0xA1,   0x21, 0x3F,   0x8149, 0x8148, 0x817A};
// Characters that never end a row: ｢「『（([<【.
constexpr std::array<uint16_t, 8> kNoEnd = {0xA2, 0x8175, 0x8177, 0x8169, 0x28, 0x5B, 0x3C, 0x8179};

template <std::size_t N>
bool In(const std::array<uint16_t, N>& set, uint16_t code) {
  return code != 0 && std::find(set.begin(), set.end(), code) != set.end();
}

const TWdChar* AsChar(const TWdGlyph& glyph) {
  return glyph.Kind() == GK_CHAR ? static_cast<const TWdChar*>(&glyph) : nullptr;
}
uint16_t CodeOf(const TWdGlyph& glyph) {
  const TWdChar* c = AsChar(glyph);
  return c ? c->Code : 0;
}
bool NoBreakOf(const TWdGlyph& glyph) {
  const TWdChar* c = AsChar(glyph);
  return c && c->Decoration && c->Decoration->NoBreak;
}
const std::string* RubyOf(const TWdGlyph& glyph) {
  const TWdChar* c = AsChar(glyph);
  return c && c->Decoration && !c->Decoration->Ruby.empty() ? &c->Decoration->Ruby : nullptr;
}
// Line breaks and the layout operations stand outside units: a break is
// always allowed before them, and the operations act between units.
bool StandsAlone(const TWdGlyph& glyph) {
  uint8_t k = glyph.Kind();
  return k == GK_RETURN || k == GK_ALIGN || k == GK_INDENT || k == GK_UNDENT;
}

bool IsSingleByteWordChar(uint16_t code) { return code >= 33 && code <= 255; }

// Images keep to their own vertical alignment; LEFT and RIGHT (which the
// markup cannot make) stand on the text band like BOTTOM.
uint8_t VerticalAlign(const TWdGlyph& glyph) {
  if (glyph.Kind() != GK_IMG) return 0;
  uint8_t a = static_cast<const TWdImg&>(glyph).Align;
  return a == AL_CENTER || a == AL_TOP ? a : uint8_t{AL_BOTTOM};
}

// The row's height parts, kept up to date as glyphs arrive.
class RowHeights {
 public:
  void Add(const TWdGlyph& glyph) {
    switch (VerticalAlign(glyph)) {
      case 0: band_ = std::max(band_, glyph.Height); break;
      case AL_CENTER: center_ = std::max(center_, glyph.Height); break;
      case AL_TOP: top_ = std::max(top_, glyph.Height); break;
      default: bottom_ = std::max(bottom_, glyph.Height); break;
    }
  }
  void Apply(TWdRow& row) const {
    int32_t half = (center_ - band_ + 1) / 2;
    row.Band = band_;
    row.Above = std::max({0, half, bottom_ - band_});
    row.Below = std::max({0, half, top_ - band_});
  }

 private:
  int32_t band_ = 0, center_ = 0, top_ = 0, bottom_ = 0;
};

void ArrangeRow(TWdRow& row) {
  int32_t span = row.ClipRight - row.ClipLeft;
  int32_t x = row.Align == AL_RIGHT ? row.ClipRight - row.Width
              : row.Align == AL_CENTER ? row.ClipLeft + (span - row.Width) / 2
                                       : row.ClipLeft;
  row.Width += x;
  int32_t height = row.Height();
  for (TWdGlyph* g : row.Glyphs) {
    g->X = x;
    x += g->Width;
    switch (VerticalAlign(*g)) {
      case AL_CENTER: g->Y = row.Above + (row.Band - g->Height) / 2; break;
      case AL_TOP: g->Y = row.Above; break;
      default: g->Y = g->Height == 0 ? row.Above : height - row.Below - g->Height; break;
    }
  }
}

}  // namespace

int32_t TWdPage::Height() const {
  int64_t height = 0;
  for (const auto& row : Rows) {
    height = std::max<int64_t>(height, int64_t{row->Y} + row->Height());
    for (const TWdGlyph* g : row->Glyphs)
      if (g->Kind() == GK_IMG) height = std::max<int64_t>(height, int64_t{row->Y} + g->Y + g->Height);
  }
  return static_cast<int32_t>(std::min<int64_t>(height, INT32_MAX));
}

bool TQnWord::CanBreak(const TWdGlyph& previous, const TWdGlyph& next) {
  if (NoBreakOf(previous) && NoBreakOf(next)) return false;
  const std::string* ruby = RubyOf(next);
  const std::string* previous_ruby = RubyOf(previous);
  if (ruby && previous_ruby && *ruby == *previous_ruby) return false;
  uint16_t a = CodeOf(previous), b = CodeOf(next);
  if (IsSingleByteWordChar(a) && IsSingleByteWordChar(b)) return false;
  if (b == 32 && a != 32) return false;
  return !In(kNoStart, b);
}

TQnWord::Unit TQnWord::MeasureUnit(int32_t index, int32_t end) const {
  const auto& g = glyphs_;
  auto at = [&](int32_t i) -> const TWdGlyph& { return *g[static_cast<std::size_t>(i)]; };
  Unit unit{at(index).Width, 1};
  if (StandsAlone(at(index))) return unit;
  auto extend = [&](int32_t i) {
    while (i + 1 < end && !StandsAlone(at(i + 1)) && !CanBreak(at(i), at(i + 1))) {
      ++i;
      unit.width += at(i).Width;
      ++unit.count;
    }
  };
  extend(index);
  int32_t next = index + 1;
  if (unit.count == 1 && In(kNoEnd, CodeOf(at(index))) && next < end && !StandsAlone(at(next))) {
    unit.width += at(next).Width;
    ++unit.count;
    extend(next);
  }
  return unit;
}

void TQnWord::Measure(TWdGlyph& glyph) const {
  glyph.Width = glyph.Height = 0;
  if (glyph.Kind() == GK_IMG) {
    auto& img = static_cast<TWdImg&>(glyph);
    img.Image = Images ? Images->Load(img.Source) : nullptr;
    if (!img.Image) return;  // a missing picture is 0 x 0
    img.Width = img.Image->Width();
    img.Height = img.Image->Height();
    return;
  }
  if (glyph.Kind() != GK_CHAR) return;
  const auto& c = static_cast<const TWdChar&>(glyph);
  const TDecorate* d = c.Decoration;
  // The window's sizes come from scripts and saves: measured as drawn,
  // within the bounds of decorate.h.
  const Look look = LookOf(c);
  const int32_t size = look.size;
  bool italic = d && (d->Style & FS_ITALIC);
  bool ruby = d && !d->Ruby.empty();
  glyph.Width = size + (italic ? size / 5 : 0) + 2 * look.border + look.shadow;
  glyph.Height = size + (ruby ? std::max(1, size / 2) : 0) + 2 * look.border + look.shadow;
}

// Every stored glyph is one unit of the source; the glyphs variables
// generate count none, so positions survive any expansion.
int32_t TQnWord::GlyphToPosition(int32_t index) const {
  index = std::clamp(index, 0, Count());
  int32_t position = 0;
  for (int32_t i = 0; i < index; ++i)
    if (!glyphs_[static_cast<std::size_t>(i)]->IsGenerated()) ++position;
  return position;
}

int32_t TQnWord::PositionToGlyph(int32_t position) const {
  if (position < 0) return -1;
  int32_t units = 0;
  for (int32_t i = 0; i < Count(); ++i) {
    if (glyphs_[static_cast<std::size_t>(i)]->IsGenerated()) continue;
    if (units == position) return i;
    ++units;
  }
  return -1;
}

void TQnWord::Layout(TWdPages& pages, int32_t first, int32_t last) {
  first = std::clamp(first, 0, Count());
  int32_t end = Count();
  if (last >= 0) {
    // The glyphs a variable generated follow it: the range ends before the
    // next stored glyph.
    int32_t after = last < INT32_MAX ? PositionToGlyph(last + 1) : -1;
    if (after >= 0) end = after;
  }
  for (int32_t i = first; i < end; ++i) Measure(*glyphs_[static_cast<std::size_t>(i)]);

  std::size_t first_page = pages.size();
  TWdPage* page = nullptr;
  TWdRow* row = nullptr;
  RowHeights heights;
  int32_t row_y = 0, align = AL_LEFT, indent = 0;
  // Where the current row began, to lay it out again on a fresh page.
  int32_t row_start = 0, row_align = AL_LEFT, row_indent = 0;
  bool row_has_visible = false;

  auto close_row = [&] {
    // Line spaces come from scripts and saves: rows may go anywhere, defined.
    row_y = WrapAdd(row_y, WrapAdd(row->Height(), LineSpace));
    row = nullptr;
  };

  for (int32_t i = first; i < end;) {
    TWdGlyph& glyph = *glyphs_[static_cast<std::size_t>(i)];
    switch (glyph.Kind()) {
      case GK_ALIGN:
        align = static_cast<TWdOpeAlign&>(glyph).Align;
        if (row && !row_has_visible) row->Align = static_cast<uint8_t>(align);
        ++i;
        continue;
      case GK_INDENT:
        indent = row ? row->Width : 0;
        ++i;
        continue;
      case GK_UNDENT:
        indent = 0;
        ++i;
        continue;
      default: break;
    }
    if (!row) {
      if (!page) {
        pages.push_back(std::make_unique<TWdPage>());
        page = pages.back().get();
        row_y = 0;
      }
      page->Rows.push_back(std::make_unique<TWdRow>());
      row = page->Rows.back().get();
      row->Page = page;
      row->Y = row_y;
      row->Align = static_cast<uint8_t>(align);
      row->ClipLeft = 0;
      row->ClipRight = WrapWidth;
      row->Width = indent;
      if (indent > 0) {
        row->IndentSpace = std::make_unique<TWdSpace>();
        row->IndentSpace->Width = indent;
        row->IndentSpace->Row = row;
        row->Glyphs.push_back(row->IndentSpace.get());
      }
      heights = RowHeights();
      row_start = i;
      row_align = align;
      row_indent = indent;
      row_has_visible = false;
    }
    Unit unit = MeasureUnit(i, end);
    int32_t indent_width = row->IndentSpace ? row->IndentSpace->Width : 0;
    if (row->Width > indent_width && WrapWidth != 0 && row->ClipRight - row->ClipLeft < row->Width + unit.width) {
      close_row();
      continue;
    }
    bool only_glyph = row->Glyphs.size() == (row->IndentSpace ? 1u : 0u);
    for (int32_t k = 0; k < unit.count; ++k) {
      TWdGlyph& g = *glyphs_[static_cast<std::size_t>(i + k)];
      // An empty line keeps the height of a row of text.
      if (g.Kind() == GK_RETURN) g.Height = only_glyph && k == 0 ? FontHeight : 0;
      g.Row = row;
      row->Glyphs.push_back(&g);
      heights.Add(g);
      if (g.Kind() == GK_CHAR || g.Kind() == GK_IMG) row_has_visible = true;
    }
    heights.Apply(*row);
    if (Paging == 1 && page->Rows.size() > 1 && PageHeight < int64_t{row->Height()} + row_y) {
      for (TWdGlyph* g : row->Glyphs) g->Row = nullptr;
      page->Rows.pop_back();
      row = nullptr;
      page = nullptr;
      i = row_start;
      align = row_align;
      indent = row_indent;
      continue;
    }
    row->Width += unit.width;
    i += unit.count;
    if (glyph.Kind() == GK_RETURN) {
      bool clear = static_cast<TWdOpeReturn&>(glyph).Clear != 0;
      close_row();
      if (clear) page = nullptr;
    }
  }

  if (WrapWidth == 0) {
    // Without wrapping the text area is as wide as the widest row; rows are
    // aligned within that width.
    for (std::size_t p = first_page; p < pages.size(); ++p)
      for (const auto& r : pages[p]->Rows) WrapWidth = std::max(WrapWidth, r->Width);
    for (std::size_t p = first_page; p < pages.size(); ++p)
      for (const auto& r : pages[p]->Rows) r->ClipRight = WrapWidth;
  }
  for (std::size_t p = first_page; p < pages.size(); ++p)
    for (const auto& r : pages[p]->Rows) ArrangeRow(*r);
}

}  // namespace rivo

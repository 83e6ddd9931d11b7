// Typing: glyphs revealed one after another against a time budget, each
// fading in, with the events met on the way handed to the owner.

#include <algorithm>

#include "common/numbers.h"
#include "text/qn_word.h"

namespace rivo {
namespace {

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

TWdReal* AsReal(TWdGlyph& glyph) {
  return glyph.Kind() == GK_CHAR || glyph.Kind() == GK_IMG ? static_cast<TWdReal*>(&glyph) : nullptr;
}

}  // namespace

TRect TQnWord::AbsoluteRect(const TWdGlyph& glyph) const {
  const TWdRow* row = glyph.Row;
  if (!row) return {};
  int64_t x = int64_t{OriginX} + row->X + glyph.X;
  int64_t y = int64_t{OriginY} + row->Y + glyph.Y - (Paging == 1 || !row->Page ? 0 : row->Page->ScrollY);
  return Bounds(Clamp32(x), Clamp32(y), glyph.Width, glyph.Height);
}

void TQnWord::Invalidate(const TWdGlyph& glyph) {
  TRect r = AbsoluteRect(glyph);
  if (!r.IsEmpty()) DirtyRects.push_back(r);
}

void TQnWord::InvalidateShown(const TWdReal& glyph) {
  // A character's opacity shows in what it drew into the layers, and only
  // there: often a third less than its cell, though the ruby of a group
  // (drawn by its first character) and overhanging strokes reach beyond it.
  // One not drawn (yet) takes its cell.
  if (glyph.Kind() != GK_CHAR || static_cast<const TWdChar&>(glyph).Rendered.IsEmpty()) return Invalidate(glyph);
  const int32_t scroll = Paging == 1 || !glyph.Row || !glyph.Row->Page ? 0 : glyph.Row->Page->ScrollY;
  DirtyRects.push_back(static_cast<const TWdChar&>(glyph).Rendered.Offset(OriginX, WrapSub(OriginY, scroll)));
}

void TQnWord::MoveCaret(const TWdPage& page, const TWdGlyph& revealed) {
  if (page.RowsRemain()) {
    const TWdRow& row = *page.Rows[static_cast<std::size_t>(page.CurrentRow)];
    TRect next = AbsoluteRect(*row.Glyphs[static_cast<std::size_t>(page.CurrentGlyph)]);
    CaretX = WrapSub(next.Left, OriginX);
    CaretY = WrapSub(next.Top, OriginY);
    CaretHeight = row.Height();
  } else {
    TRect last = AbsoluteRect(revealed);
    CaretX = WrapSub(last.Right, OriginX);
    CaretY = WrapSub(last.Top, OriginY);
    CaretHeight = revealed.Row ? revealed.Row->Height() : 0;
  }
}

TQnWord::StepResult TQnWord::TypeStep(TWdPage& page, int32_t elapsed_ms) {
  StepResult result;
  if (!page.Done && !page.RowsRemain() && page.FadingList.empty()) {
    page.Done = true;
    result.done = true;
  }
  DirtyRects.clear();
  if (page.SkipTicks > 0) {
    --page.SkipTicks;
    return result;
  }
  int64_t elapsed = elapsed_ms;
  if (page.RowsRemain() && !Paused && page.PendingEvents.empty()) {
    if (page.CurrentRow == 0 && page.CurrentGlyph == 0) {
      page.Budget = page.FadeAcc = 0;
      elapsed = 0;
    } else if (page.EventHit) {
      // The step after an event starts afresh: the time spent waiting for
      // the script is not owed as typing.
      elapsed = 0;
      page.EventHit = false;
    }
    page.Budget -= elapsed;
    while (page.RowsRemain() && page.Budget <= 0) {
      TWdRow& row = *page.Rows[static_cast<std::size_t>(page.CurrentRow)];
      // A row below the view waits to be scrolled into it. With paging on
      // nothing scrolls, so a row left there (the height was made smaller
      // after the layout) stops typing for good while the page still
      // counts as typing (PR_PLAYING stays true): scripts rely on it.
      if (PageHeight < int64_t{row.Y} - page.ScrollY) break;
      TWdGlyph& glyph = *row.Glyphs[static_cast<std::size_t>(page.CurrentGlyph)];
      if (TWdReal* real = AsReal(glyph)) {
        real->SetAlpha(0);
        if (real->Wait >= 0)
          page.Budget += int64_t{real->Wait} * std::max(0, TextDelayRate) / 256;
        else if (TextDelayRate >= 0)
          page.Budget -= real->Wait;
        page.FadingList.push_back(real);
        if (glyph.Kind() == GK_IMG) {
          auto& img = static_cast<TWdImg&>(glyph);
          if (img.Image && img.Image->Animated()) page.AnimatedList.push_back(&img);
        }
      }
      if (++page.CurrentGlyph >= static_cast<int32_t>(row.Glyphs.size())) {
        ++page.CurrentRow;
        page.CurrentGlyph = 0;
      }
      MoveCaret(page, glyph);
      if (glyph.Kind() == GK_EVENT && EventsEnabled) {
        const auto& event = static_cast<const TWdOpeEvent&>(glyph);
        if (!page.PendingEvents.empty()) page.PendingEvents += '\t';
        page.PendingEvents += event.Value;
        page.EventHit = true;
        bool next_is_event = page.RowsRemain() && page.Rows[static_cast<std::size_t>(page.CurrentRow)]
                                                          ->Glyphs[static_cast<std::size_t>(page.CurrentGlyph)]
                                                          ->Kind() == GK_EVENT;
        if (event.End || !next_is_event) break;
      } else if (glyph.Kind() == GK_CHAR) {
        static_cast<const TWdChar&>(glyph).AppendText(result.typed);
      } else if (glyph.Kind() == GK_IMG) {
        result.typed += '*';
      }
    }
  }
  page.FadeAcc += elapsed * 256;
  int64_t step = FadeTime > 0 ? page.FadeAcc / FadeTime : 255;
  if (step > 0) {
    page.FadeAcc %= std::max(FadeTime, 1);
    for (std::size_t i = page.FadingList.size(); i-- > 0;) {
      TWdReal* g = page.FadingList[i];
      g->SetAlpha(int64_t{g->Alpha()} + step);
      InvalidateShown(*g);
      if (g->Alpha() > 254) page.FadingList.erase(page.FadingList.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  for (TWdImg* img : page.AnimatedList)
    if (img->Image->Advance(static_cast<int32_t>(elapsed))) Invalidate(*img);
  if (!page.PendingEvents.empty() && page.FadingList.empty()) {
    std::string events = std::move(page.PendingEvents);
    page.PendingEvents.clear();
    std::size_t start = 0;
    while (true) {
      std::size_t tab = events.find('\t', start);
      if (OnEvent) OnEvent(events.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
  }
  return result;
}

void TQnWord::ResetTiming(TWdPage& page) const {
  page.Budget = page.FadeAcc = 0;
  page.SkipTicks = FadeTime > 0 ? 1 : 0;
}

void TQnWord::RewindPage(TWdPage& page) const {
  page.CurrentRow = page.CurrentGlyph = 0;
  ResetTiming(page);
  page.Done = false;
  page.FadingList.clear();
  page.AnimatedList.clear();
}

void TQnWord::ResetPage(TWdPage& page) {
  page.Rows.clear();
  page.Hovered = nullptr;
  CaretX = CaretY = CaretHeight = 0;
  page.Done = false;
  page.FadingList.clear();
  page.AnimatedList.clear();
}

bool TQnWord::StillTyping(const TWdPage& page) const {
  if (!page.FadingList.empty()) return true;
  if (!page.RowsRemain()) return false;
  if (Paging == 1) return !Paused;
  const TWdRow& next = *page.Rows[static_cast<std::size_t>(page.CurrentRow)];
  return PageHeight >= int64_t{next.Y} + next.Height() - page.ScrollY;  // scrolls come from scripts and saves
}

}  // namespace rivo

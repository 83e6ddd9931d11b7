// The typing state of a page as a saved window carries it: where typing
// stands and how far each glyph has faded in. Glyphs that variables made
// are not written one by one (their number depends on the values): the
// variable stands for them all.

#include <algorithm>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "text/qn_word.h"

namespace rivo {
namespace {

// The glyph whose alpha is written for g, or nullptr when g writes none.
const TWdGlyph* StateCarrier(const TWdGlyph& g, bool& writes) {
  writes = false;
  if (g.IsGenerated()) return nullptr;
  if (g.Kind() == GK_CHAR || g.Kind() == GK_IMG) {
    writes = true;
    return &g;
  }
  if (g.Kind() == GK_VAR) {
    writes = true;
    const auto& var = static_cast<const TWdOpeVar&>(g);
    return var.Generated.empty() ? nullptr : var.Generated.front();
  }
  return nullptr;
}

}  // namespace

void TQnWord::SavePageState(const TWdPage& page, ByteWriter& out) const {
  out.I32(page.ScrollY);
  out.I32(page.CurrentRow);
  out.I32(page.CurrentGlyph);
  out.U8(page.Done ? 1 : 0);
  out.String(page.PendingEvents);
  for (const auto& row : page.Rows) {
    for (const TWdGlyph* g : row->Glyphs) {
      bool writes = false;
      const TWdGlyph* carrier = StateCarrier(*g, writes);
      if (!writes) continue;
      int32_t alpha = 0;
      if (carrier && (carrier->Kind() == GK_CHAR || carrier->Kind() == GK_IMG)) {
        const auto* real = static_cast<const TWdReal*>(carrier);
        bool fading = std::find(page.FadingList.begin(), page.FadingList.end(), real) != page.FadingList.end();
        alpha = fading ? 255 : real->Alpha();
      }
      out.I32(alpha);
    }
  }
}

void TQnWord::LoadPageState(TWdPage& page, ByteReader& in) {
  page.FadingList.clear();
  page.AnimatedList.clear();
  page.EventHit = false;
  // The saved layout need not match this one (the content or the variables
  // may have changed): what the record lacks stays unrevealed, and typing
  // goes on from the first glyph without a state.
  constexpr std::size_t kHeader = 4 * 3 + 1 + 4;
  int32_t row = 0, glyph = 0;
  bool done = false;
  std::string pending;
  bool complete = in.Remaining() >= kHeader;
  if (complete) {
    page.ScrollY = in.I32();
    row = in.I32();
    glyph = in.I32();
    done = in.U8() != 0;
    std::size_t length = static_cast<std::size_t>(std::max<int64_t>(0, in.I32()));
    if (length <= in.Remaining()) pending = std::string(in.View(length));
    else complete = false;
  }
  int32_t missing_row = -1, missing_glyph = 0;
  for (std::size_t r = 0; r < page.Rows.size(); ++r) {
    for (std::size_t i = 0; i < page.Rows[r]->Glyphs.size(); ++i) {
      TWdGlyph* g = page.Rows[r]->Glyphs[i];
      bool writes = false;
      StateCarrier(*g, writes);
      if (!writes) continue;
      int32_t alpha = 0;
      if (complete && in.Remaining() >= 4) {
        alpha = in.I32();
      } else if (missing_row < 0) {
        complete = false;
        missing_row = static_cast<int32_t>(r);
        missing_glyph = static_cast<int32_t>(i);
      }
      if (g->Kind() == GK_VAR) {
        for (TWdGlyph* made : static_cast<TWdOpeVar*>(g)->Generated)
          if (made->Kind() == GK_CHAR) static_cast<TWdReal*>(made)->SetAlpha(alpha);
      } else {
        static_cast<TWdReal*>(g)->SetAlpha(alpha);
        auto* img = g->Kind() == GK_IMG ? static_cast<TWdImg*>(g) : nullptr;
        if (img && alpha > 0 && img->Image && img->Image->Animated()) page.AnimatedList.push_back(img);
      }
    }
  }
  if (missing_row >= 0 && (row > missing_row || (row == missing_row && glyph > missing_glyph))) {
    row = missing_row;
    glyph = missing_glyph;
    done = false;
  }
  const int32_t rows = static_cast<int32_t>(page.Rows.size());
  row = std::clamp(row, 0, rows);
  if (row < rows && glyph >= static_cast<int32_t>(page.Rows[static_cast<std::size_t>(row)]->Glyphs.size())) {
    ++row;
    glyph = 0;
  }
  page.CurrentRow = row;
  page.CurrentGlyph = row < rows ? std::max(glyph, 0) : 0;
  page.Done = done && row == rows;
  page.PendingEvents = std::move(pending);
}

}  // namespace rivo

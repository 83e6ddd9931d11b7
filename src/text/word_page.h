#pragma once
// The result of laying out a word: pages of rows of glyphs, and the typing
// state of each page. Rows point at the word's glyphs (which never move);
// only the blank of an indented row is owned by the row itself.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "text/glyphs.h"

namespace rivo {

struct TWdPage;

struct TWdRow {
  TWdPage* Page = nullptr;
  std::vector<TWdGlyph*> Glyphs;
  std::unique_ptr<TWdSpace> IndentSpace;  // first of Glyphs when set
  uint8_t Align = AL_LEFT;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t ClipLeft = 0;
  int32_t ClipRight = 0;
  int32_t Width = 0;  // running width
  // Height parts: space above the text band, the band, space below.
  int32_t Above = 0;
  int32_t Band = 0;
  int32_t Below = 0;
  // How far sideways the drawing of any glyph of the row goes beyond its
  // cell, worked out by DrawPage when first needed, so that it finds the
  // glyphs under a rectangle without looking at every glyph; kUnknownReach
  // after every render, and for cells out of order (then all are looked at).
  static constexpr int32_t kUnknownReach = -1;
  mutable int32_t Reach = kUnknownReach;

  int32_t Height() const { return Above + Band + Below; }
};

struct TWdPage {
  std::vector<std::unique_ptr<TWdRow>> Rows;
  int32_t ScrollY = 0;
  int32_t CurrentRow = 0;
  int32_t CurrentGlyph = 0;
  int64_t Budget = 0;   // ms of typing time owed
  int64_t FadeAcc = 0;  // ms * 256
  int32_t SkipTicks = 0;
  std::string PendingEvents;  // TAB-separated
  bool EventHit = false;
  bool Done = false;
  std::vector<TWdReal*> FadingList;
  std::vector<TWdImg*> AnimatedList;  // revealed pictures of several frames
  TWdReal* Hovered = nullptr;
  std::string RecordedValues;

  bool RowsRemain() const { return CurrentRow < static_cast<int32_t>(Rows.size()); }
  // The largest bottom among the rows and their glyphs.
  int32_t Height() const;
};

using TWdPages = std::vector<std::unique_ptr<TWdPage>>;

}  // namespace rivo

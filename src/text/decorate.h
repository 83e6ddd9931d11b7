#pragma once
// TDecorate: the character style shared by every glyph that looks alike, and
// TDecorateList, the word's table that interns them with reference counts.
// Records are heap objects that never move: glyphs (and later the layout and
// the message window) keep pointers to them.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/font_rasteriser.h"  // the FS_ style bits

namespace rivo {

// Bounds of the sizes a style may ask for. A font size, border or shadow
// taken from text as written would otherwise let one tag make the glyph and
// border code allocate without limit or run for hours.
constexpr int32_t kMaxFontSize = 1024;
constexpr int32_t kMaxBorderWidth = 64;
constexpr int32_t kMaxShadowOffset = 256;

struct TDecorate {
  int32_t RefCount = 0;
  int32_t Color = -1;   // text colour (COLORREF), -1 the window's
  int32_t BColor = -1;  // border colour
  int32_t SColor = -1;  // shadow colour
  int32_t Size = 0;     // font height in pixels, 0 the window's
  uint8_t Style = 0;    // FS_* bits
  std::string FontName;
  uint8_t NoBreak = 0;
  std::string Ruby;
  int32_t Border = 0;  // border width, -1 the window's
  int32_t Shadow = 0;  // shadow offset, -1 the window's

  // Every field but the reference count; strings compare case-sensitively.
  bool SameStyle(const TDecorate& other) const;
};

class TDecorateList {
 public:
  TDecorateList() = default;
  TDecorateList(const TDecorateList&) = delete;
  TDecorateList& operator=(const TDecorateList&) = delete;
  TDecorateList(TDecorateList&&) = default;  // records stay where they are
  TDecorateList& operator=(TDecorateList&&) = default;

  // The record equal to style with its count raised, or a new record with
  // count 1 appended.
  TDecorate* Intern(const TDecorate& style);
  // Drops one reference; a record whose count reaches zero is removed.
  void Release(TDecorate* record);
  // The record a glyph holds after changing its style to style: changed in
  // place when the glyph is its only user, else released and interned anew.
  TDecorate* Change(TDecorate* record, const TDecorate& style);
  // Appends a record as stored, count and all (stored lists keep theirs).
  TDecorate* Append(const TDecorate& record);

  int32_t Count() const { return static_cast<int32_t>(records_.size()); }
  TDecorate& operator[](int32_t index) const { return *records_[static_cast<std::size_t>(index)]; }
  void Clear();

 private:
  // Styles are found through a hash of their fields, so interning stays
  // quick however many styles a long text uses.
  // Each entry carries the record's serial (its order of arrival), so that
  // among equal records the first in table order is taken.
  struct Entry {
    uint64_t serial;
    TDecorate* record;
  };
  using Index = std::unordered_multimap<std::size_t, Entry>;
  Index::iterator Find(TDecorate* record);

  std::vector<std::unique_ptr<TDecorate>> records_;
  Index index_;
  uint64_t next_serial_ = 0;
};

}  // namespace rivo

#pragma once
// The glyphs a word is made of: one object per character, inline image and
// layout operation, in text order. Each kind reports the number it is stored
// under in a glyph list; the numbers are fixed by that stored form. Glyphs
// are heap objects owned by their word and never move, so the layout and
// the message window may point at them.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include <vector>

#include "graphics/rect.h"
#include "script/rivo_parser.h"
#include "text/inline_image.h"
#include "text/decorate.h"

namespace rivo {

enum : uint8_t {
  GK_CHAR = 1,
  GK_ALIGN = 2,
  GK_RETURN = 3,
  GK_INDENT = 4,
  GK_UNDENT = 5,
  GK_EVENT = 6,
  GK_VAR = 7,
  GK_IMG = 9,
  // Made by the layout, never stored.
  GK_SPACE = 0x80,
};

struct TWdRow;

// Alignment entries of the ALIGN attribute (entry 0 never matches).
enum : uint8_t { AL_LEFT = 1, AL_RIGHT = 2, AL_CENTER = 3, AL_TOP = 4, AL_BOTTOM = 5 };

class TWdGlyph {
 public:
  TWdGlyph(const TWdGlyph&) = delete;
  TWdGlyph& operator=(const TWdGlyph&) = delete;
  virtual ~TWdGlyph() = default;
  // Kept in the glyph, not asked of its class: drawing a page asks it of
  // every glyph of every row.
  uint8_t Kind() const { return kind_; }
  // Glyphs that a variable made count for nothing in source positions and
  // are never stored.
  virtual bool IsGenerated() const { return false; }

  // Placement by the layout: X and Y relative to the row, and the row.
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  TWdRow* Row = nullptr;

 protected:
  explicit TWdGlyph(uint8_t kind) : kind_(kind) {}

 private:
  uint8_t kind_;
};

// The visible glyphs: they may belong to a link and wait before appearing.
class TWdReal : public TWdGlyph {
 public:
  using TWdGlyph::TWdGlyph;
  std::string Link;
  int32_t Wait = 0;
  bool Hover = false;

  uint8_t Alpha() const { return alpha_; }
  void SetAlpha(int64_t alpha) { alpha_ = static_cast<uint8_t>(std::clamp<int64_t>(alpha, 0, 255)); }

 private:
  uint8_t alpha_ = 255;
};

class TWdChar : public TWdReal {
 public:
  TWdChar() : TWdReal(GK_CHAR) {}
  TDecorate* Decoration = nullptr;  // owned by the word's decoration list
  // A single-byte character's byte, or lead byte * 256 + trail byte.
  uint16_t Code = 0;
  // The part of the word's layers the last render touched.
  TRect Rendered;

  // Appends the character's CP932 bytes.
  void AppendText(std::string& out) const {
    if (Code > 0xFF) out += static_cast<char>(Code >> 8);
    out += static_cast<char>(Code & 0xFF);
  }
};

class TWdImg : public TWdReal {
 public:
  TWdImg() : TWdReal(GK_IMG) {}
  std::string Source;
  uint8_t Align = AL_BOTTOM;  // AL_CENTER, AL_TOP or AL_BOTTOM
  // The picture, loaded when the glyph is measured (none: 0 x 0).
  std::unique_ptr<InlineImage> Image;
};

class TWdOpeAlign : public TWdGlyph {
 public:
  TWdOpeAlign() : TWdGlyph(GK_ALIGN) {}
  uint8_t Align = AL_LEFT;  // AL_LEFT, AL_RIGHT or AL_CENTER
};

class TWdOpeReturn : public TWdGlyph {
 public:
  TWdOpeReturn() : TWdGlyph(GK_RETURN) {}
  uint8_t Clear = 0;  // non-zero: the break also ends the page
};

class TWdOpeIndent : public TWdGlyph {
 public:
  TWdOpeIndent() : TWdGlyph(GK_INDENT) {}
};

class TWdOpeUndent : public TWdGlyph {
 public:
  TWdOpeUndent() : TWdGlyph(GK_UNDENT) {}
};

class TWdOpeEvent : public TWdGlyph {
 public:
  TWdOpeEvent() : TWdGlyph(GK_EVENT) {}
  std::string Value;
  bool End = false;  // stops the collection of further events
};

// A variable or expression shown in the text. Lists of the older layouts
// carry the expression compiled instead of its text.
class TWdOpeVar : public TWdGlyph {
 public:
  TWdOpeVar() : TWdGlyph(GK_VAR) {}
  TDecorate* Decoration = nullptr;
  std::string Link;
  int32_t Wait = 0;
  std::string Name;
  std::unique_ptr<TRivoParser> Expression;  // only from the older layouts
  // The glyphs its value became, right after it in the word.
  std::vector<TWdGlyph*> Generated;
};

// A character of a variable's value.
class TWdVarChar : public TWdChar {
 public:
  bool IsGenerated() const override { return true; }
};

// A line break in a variable's value: it never ends the page.
class TWdVarReturn : public TWdOpeReturn {
 public:
  bool IsGenerated() const override { return true; }
};

// The blank an indented row starts with.
class TWdSpace : public TWdGlyph {
 public:
  TWdSpace() : TWdGlyph(GK_SPACE) {}
};

}  // namespace rivo

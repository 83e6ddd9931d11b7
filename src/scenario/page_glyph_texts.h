#pragma once
// The texts a page spells out as constants, with what the page tells of the
// fonts they will be drawn in, so that their glyphs can be rendered before
// the page runs. Like the names of page_references.h this is a guess, never
// a promise: a font property set at run time, a text built from variables or
// a window the page does not create stay unknown, and a wrong guess only
// costs the work of rendering glyphs nobody asks for.
//
// - Captions: an object created with a constant text (PR_TEXT). Its fonts
//   are what the creation sets as constants (face, height, style,
//   antialias), the defaults objects start with for the rest; where kinds of
//   object start differently, each default is a guess, likeliest first.
// - Windows: objects created with font properties but no text (message
//   windows); their fonts draw the message texts of the coming pages.
// - Message runs: the characters of the page's TextIns texts, by what their
//   markup sets (a face, a size, a style, ruby).
// - Others: the characters of every other string constant, in fonts only the
//   player's recent texts can suggest.
// - Computed texts: objects created with a text built at run time (a slot's
//   number and its caption); what they show is likely built from the page's
//   other constants, in the fonts their creation gives them.

#include <cstdint>
#include <string>
#include <vector>

#include "text/prepared_glyphs.h"

namespace rivo {

class TPage;

struct PageGlyphTexts {
  struct Caption {
    std::vector<GlyphFont> fonts;  // likeliest first
    std::vector<uint16_t> codes;   // each once
  };
  struct MessageRun {
    std::string face;  // empty: the window's
    int32_t size = 0;  // 0: the window's
    uint8_t style = 0;
    bool ruby = false;  // drawn at half the size above its text
    std::vector<uint16_t> codes;  // each once
  };
  std::vector<Caption> captions;
  std::vector<GlyphFont> windows;  // likeliest first
  std::vector<MessageRun> messages;
  std::vector<uint16_t> others;  // each once
  std::vector<GlyphFont> computed;  // the fonts of objects with a computed text, likeliest first

  // The font of a message run in a window's font.
  static GlyphFont RunFont(const MessageRun& run, const GlyphFont& window);
};

// Characters kept of one page at most (a page of a whole novel's dialogue
// would otherwise fill the plan with glyphs far ahead).
constexpr std::size_t kMaxPageGlyphCodes = 2048;

PageGlyphTexts FindPageGlyphTexts(TPage& page);

}  // namespace rivo

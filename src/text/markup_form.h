#pragma once
// Stored glyph lists as markup and back: page listings show the text of a
// TextIns command as the markup it compiles from, so translators edit text
// rather than bytes, and the listing assembles to the same bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/qn_word.h"

namespace rivo {

// Markup written by hand can always be followed by this: a comment that
// ends the current token and adds nothing.
constexpr std::string_view kEmptyComment = "<!---->";

// The stored list (newest layout) that markup compiles to. Raises the
// compiler's errors.
std::string StoredListOfMarkup(std::string_view markup, int32_t text_delay);

// Markup (CP932, one line) that compiles to these glyphs with this
// @TextDelay, or nullopt when markup cannot express them (values the tags
// cannot give, characters a line cannot hold). The markup is never empty
// and neither starts nor ends with a blank. Not checked: see below.
std::optional<std::string> MarkupOfGlyphs(const TQnWord& word, int32_t text_delay);

// Markup that compiles back to exactly these stored bytes, or nullopt (an
// older layout, a style table the compiler would not make, damage).
std::optional<std::string> MarkupOfStoredList(std::string_view stored, int32_t text_delay);

}  // namespace rivo

#pragma once
// The text of TextIns in page sources. A page stores it compiled (a stored
// glyph list); the listing shows the markup it compiles from, so that a
// translator edits dialogue rather than bytes:
//
//     TextIns 「こんにちは」と<B>彼</B>は言った。
//
// A list that markup cannot rebuild exactly (an older layout, a style table
// the compiler would not make, a compiled variable expression) is shown as
// its quoted bytes, as every other stored value, so a listing always
// assembles to the page it was made from.

#include <cstdint>
#include <string>
#include <string_view>

namespace rivo {

class TPage;

// The @TextDelay a listing compiles its markup with unless it says otherwise.
constexpr int32_t kDefaultTextDelay = 50;

// The delay the page's texts were compiled with: the one most of their
// glyphs wait (kDefaultTextDelay for a page without texts).
int32_t PageTextDelay(TPage& page);

// The source form of a stored list (UTF-8): markup, or quoted bytes.
std::string TextFieldSource(std::string_view stored, int32_t text_delay);

// The stored list of a source value: quoted bytes as they are, anything
// else compiled as markup. Raises RivoError for markup that does not compile
// and for characters CP932 cannot hold.
std::string StoredTextOfSource(std::string_view utf8, int32_t text_delay);

}  // namespace rivo

#pragma once
// One character of code page 932 as a Unicode code point, for glyph lookup.
// Text stays CP932 bytes everywhere; only a font needs the code point of
// each character, so the whole code page is converted once through iconv's
// "CP932" (the Windows mapping: wave dash, NEC and IBM rows) into a table.

#include <cstdint>

namespace rivo {

// code: a single-byte character, or lead byte * 256 + trail byte. Returns 0
// for codes the code page does not define (a lone lead byte, 0x80, 0xA0,
// 0xFD-0xFF, unassigned double-byte codes).
char32_t Cp932CodeToUnicode(uint16_t code);

}  // namespace rivo

#pragma once
// Conversion between the engine's code page 932 text and UTF-8 at the edges
// (window titles, message boxes, host paths, logs, tool output).
//
// iconv's "CP932" matches Windows (wave dash, NEC and IBM rows); "SHIFT_JIS"
// would turn 0x5C into the yen sign. Bytes CP932 cannot map (0x80, 0xA0,
// 0xFD-0xFF, a lone lead byte) come out as U+FFFD; characters with no CP932
// code go the other way as '?'.

#include <string>
#include <string_view>

namespace rivo {

std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace rivo

#pragma once
// Case folding of script text as the system's "ANSI" case functions fold
// code page 932: the single-byte letters, and the double-byte letters that
// have a case of their own (full-width Latin Ａ/ａ, Greek Α/α, Cyrillic А/а).
// Trail bytes are never taken for letters, and every character keeps its
// byte length, so a position found in folded text holds in the original.

#include <string>
#include <string_view>

namespace rivo {

std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);

}  // namespace rivo

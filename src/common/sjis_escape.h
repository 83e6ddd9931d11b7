#pragma once
// The backslash escapes that stored table lines and link or event values of
// tagged text share: a backslash before '"' or another backslash is dropped,
// and backslash + "n" becomes CR LF. A backslash that is the second half of a
// character (ソ, 表) is no escape.

#include <string>
#include <string_view>

namespace rivo::sjis {

std::string UnescapeBackslashes(std::string_view text);

}  // namespace rivo::sjis

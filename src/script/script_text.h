#pragma once
// Text helpers the script functions share.

#include <string>
#include <string_view>
#include <vector>

namespace rivo {

class TCustomParam;

// Text cut into lines at CR LF, CR or LF, as scripts read text files and
// split strings. A line break at the very end ends the last line and does
// not start another, so "a\r\nb\r\n" is two lines and "" is none.
std::vector<std::string> SplitLines(std::string_view text);

// Without leading and trailing blanks and control characters (bytes up to
// 0x20, none of which is ever the second half of a character).
std::string_view TrimBlanks(std::string_view text);

// Stores parts in v as a one-dimensional array (converted to v's kind), or
// makes v an empty text scalar when there are none.
void StoreStrings(TCustomParam& v, const std::vector<std::string>& parts);

}  // namespace rivo

#pragma once
// The first pass over tagged text: the text (its lines joined with CR) is cut
// into tokens, each a tag ("<...>"), a comment-like token ("<!--", "<SCRIPT",
// "<STYLE") or a run of text. Line breaks become single spaces, runs of
// spaces collapse, a double-quoted stretch is taken literally and PRE keeps
// its line breaks as BR tags.
//
// The scan is byte-wise on purpose: a trail byte 0x5C of a double-byte
// character acts as a backslash, and game texts write such characters
// followed by a second backslash. A scan that knew double-byte characters
// would print those second backslashes in real text.

#include <string>
#include <string_view>
#include <vector>

namespace rivo {

std::vector<std::string> SplitTokens(std::string_view text);

// A text's lines (split at CR, LF or CR LF) joined again with single CRs.
std::string JoinLines(std::string_view text);

}  // namespace rivo

#pragma once
// The words for the value kinds wherever people read or write them: the
// tools' KIND:VALUE output, page listings, game sources and variable dumps.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rivo {

class TCustomParam;

// "none", "integer", "real", "flag", "string" for kinds 0..4; "none" otherwise.
const char* KindWord(uint8_t kind);
// The kind 1..4 of "integer", "real", "flag" or "string".
std::optional<uint8_t> KindFromWord(std::string_view word);

// KIND:VALUE in UTF-8 ("integer:7", "string:[a,b]" for an array), or "none".
std::string DescribeValue(const TCustomParam* value);

}  // namespace rivo

#pragma once
// Text of page and project sources: game strings (CP932 bytes) shown in
// UTF-8, quoted with escapes where the bare text would not come back as
// the same bytes.

#include <optional>
#include <string>
#include <string_view>

namespace rivo {

// "..." with \" \\ \r \n \t, and \xHH for every byte that has no UTF-8 form.
std::string QuoteCp932(std::string_view cp932);
// The UTF-8 text when converting it back gives exactly these bytes and it
// holds no control character; nullopt otherwise.
std::optional<std::string> PlainUtf8(std::string_view cp932);
// A string field as a source shows it: plain when that is exact and does
// not start with a quote or a blank nor end with a blank, quoted otherwise.
std::string StringField(std::string_view cp932);

// Reads a quoted string at text[pos] (pos at the opening quote), moves pos
// past the closing quote and returns the CP932 bytes; nullopt when it is
// not a well-formed quoted string.
std::optional<std::string> UnquoteCp932(std::string_view utf8, std::size_t& pos);
// The reverse of StringField; nullopt for a malformed quoted form.
std::optional<std::string> ParseStringField(std::string_view utf8);

}  // namespace rivo

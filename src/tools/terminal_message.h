#pragma once
// How rivotool words an error on the terminal. The tool speaks English; a
// message of the player's own (Japanese) follows the English sentence in
// brackets, so that a user who reads no Japanese knows what happened and can
// still search for the player's words.

#include <exception>
#include <string>
#include <string_view>

namespace rivo::tools {

// e.what(), with the player's own message in it explained:
// "a.bmp: 不正な DIB です" -> "a.bmp: not a bitmap the player can read (不正な DIB です)".
std::string TerminalMessage(const std::exception& e);

// One message of the player's own: "English sentence (message)"; a message
// the tool does not know stands as it is.
std::string EnglishFirst(std::string_view own_message);

}  // namespace rivo::tools

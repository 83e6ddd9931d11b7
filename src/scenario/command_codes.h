#pragma once
// The 61 command types of compiled pages: the code stored in each record,
// the name page sources use, and the authoring tool's own label (kept for
// reference; the player never shows it).

#include <cstdint>
#include <optional>
#include <string_view>

namespace rivo {

enum TCommandCode : uint8_t {
  CC_IF = 0, CC_ELSEIF = 1, CC_ELSE = 2, CC_LABEL = 3, CC_JUMP = 4, CC_CALL = 5, CC_EXIT = 6,
  CC_WAIT = 7, CC_BOXNEW = 8, CC_IMGNEW = 9, CC_MESNEW = 10, CC_TIMER = 11, CC_MOVIE = 12,
  CC_FLIP = 13, CC_CALC = 14, CC_VARNEW = 15, CC_VARDEL = 16, CC_GETPROP = 17, CC_SETPROP = 18,
  CC_OBJDEL = 19, CC_TEXTINS = 20, CC_MOVIESTOP = 21, CC_CLRHIST = 22, CC_CINEMA = 23,
  CC_CAPTION = 24, CC_MENU = 25, CC_MENUCLOSE = 26, CC_COMMENT = 27, CC_TEXTCLR = 28,
  CC_CALLHIST = 29, CC_BUTTON = 30, CC_WHILE = 31, CC_WHILEINIT = 32, CC_WHILELOOP = 33,
  CC_BREAK = 34, CC_CONTINUE = 35, CC_PARTICLENEW = 36, CC_FIRENEW = 37, CC_GAMESAVE = 38,
  CC_GAMELOAD = 39, CC_PCRESET = 40, CC_RESET = 41, CC_SOUND = 42, CC_EDITNEW = 43,
  CC_MEMONEW = 44, CC_TERMINATE = 45, CC_DOEVENT = 46, CC_CLRREAD = 47, CC_MAPIMGNEW = 48,
  CC_WAVENEW = 49, CC_TILENEW = 50, CC_SLIDERNEW = 51, CC_SCROLLBARNEW = 52, CC_GAUGENEW = 53,
  CC_CGCAPTION = 54, CC_MEDIAPLAY = 55, CC_PREVMENUNEW = 56, CC_PROPMOTION = 57,
  CC_FORMATHIST = 58, CC_SAVECABINET = 59, CC_LOADCABINET = 60,
};

constexpr int32_t kCommandCodeCount = 61;

struct CommandCodeInfo {
  const char* name;   // "If", "Elseif", ...
  const char* label;  // the authoring tool's label, UTF-8
};

// nullptr for a code outside 0..60.
const CommandCodeInfo* FindCommandCode(int32_t code);
// The code of a name (exact), if any.
std::optional<uint8_t> CommandCodeOfName(std::string_view name);

}  // namespace rivo

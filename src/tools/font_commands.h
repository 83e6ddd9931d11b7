#pragma once
// rivotool text and rivotool fonts: glyphs through the player's glyph cache,
// and which font file every face name resolves to.

#include <string>
#include <vector>

namespace rivo::tools {

int RunText(const std::vector<std::string>& args);
int RunFonts(const std::vector<std::string>& args);

}  // namespace rivo::tools

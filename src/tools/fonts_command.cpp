// rivotool fonts [FACE]...: the font file each Windows face of the player's
// table (and each FACE given) is drawn from, regular and bold.

#include <iostream>

#include "common/encoding.h"
#include "platform/font_locator.h"
#include "platform/freetype_rasteriser.h"
#include "tools/font_commands.h"

namespace rivo::tools {

int RunFonts(const std::vector<std::string>& args) {
  FreeTypeRasteriser fonts;
  std::vector<std::string> faces;  // UTF-8
  for (std::string_view face : SubstitutedFaces(false)) faces.emplace_back(face);
  faces.insert(faces.end(), args.begin(), args.end());
  for (const std::string& face : faces) {
    for (bool bold : {false, true}) {
      std::optional<FontFile> file = fonts.Resolve(Utf8ToCp932(face), bold);
      std::cout << face << (bold ? " (bold)" : "") << " -> ";
      if (!file) {
        std::cout << "no font\n";
        continue;
      }
      std::cout << file->family << ", " << file->path.string();
      if (file->index != 0) std::cout << " #" << file->index;
      if (bold && !file->bold) std::cout << ", emboldened";
      std::cout << "\n";
    }
  }
  return 0;
}

}  // namespace rivo::tools

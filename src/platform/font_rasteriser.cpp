#include "platform/font_rasteriser.h"

#include <algorithm>

#include "common/encoding.h"
#include "platform/font_locator.h"

namespace rivo {

int32_t MaxRawLevel(int32_t antialias_level) {
  switch (antialias_level) {
    case 1: return 4;
    case 2: return 16;
    case 3: return 64;
    default: return 1;
  }
}

std::vector<std::string> FontFaceNames(FontRasteriser& fonts, bool fixed_pitch) {
  std::vector<std::string> names;
  auto add = [&names](std::string_view utf8) {
    std::string cp932 = Utf8ToCp932(utf8);
    // A name without a CP932 form would reach scripts with '?' in it.
    if (cp932.empty() || Cp932ToUtf8(cp932) != utf8) return;
    if (std::find(names.begin(), names.end(), cp932) == names.end()) names.push_back(cp932);
  };
  for (std::string_view face : SubstitutedFaces(fixed_pitch)) add(face);
  for (const std::string& family : fonts.InstalledFamilies(fixed_pitch)) add(family);
  return names;
}

}  // namespace rivo

#include "platform/font_locator.h"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <string>

#include "platform/platform_error.h"

namespace rivo {
namespace {

struct Substitute {
  std::string_view face;
  std::string_view family;
};

// The faces of Japanese Windows, full-width and ASCII spellings, and the IPA
// fonts that have the same metrics (fixed or proportional, gothic or mincho).
constexpr Substitute kSubstitutes[] = {
    {"ＭＳ ゴシック", "IPAGothic"},   {"MS Gothic", "IPAGothic"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS PGothic", "IPAPGothic"},
    {"MS UI Gothic", "IPAPGothic"},   {"ＭＳ 明朝", "IPAMincho"},
    {"MS Mincho", "IPAMincho"},       {"ＭＳ Ｐ明朝", "IPAPMincho"},
    {"MS PMincho", "IPAPMincho"},
};

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

}  // namespace

std::string_view SubstituteFontFamily(std::string_view face_utf8) {
  for (const Substitute& s : kSubstitutes)
    if (s.face == face_utf8) return s.family;
  return face_utf8;
}

FontconfigLocator::FontconfigLocator() : config_(FcInitLoadConfigAndFonts()) {
  if (!config_) throw PlatformError("fontconfig could not be initialised");
}

FontconfigLocator::~FontconfigLocator() { FcConfigDestroy(config_); }

std::optional<FontFile> FontconfigLocator::Find(std::string_view face_utf8) {
  std::string family(SubstituteFontFamily(face_utf8));
  PatternPtr pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  // Weighs the match toward fonts with Japanese glyphs when the family is absent.
  FcLangSet* lang = FcLangSetCreate();
  FcLangSetAdd(lang, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddLangSet(pattern.get(), FC_LANG, lang);
  FcLangSetDestroy(lang);
  FcConfigSubstitute(config_, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(config_, pattern.get(), &result));
  if (!match) return std::nullopt;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
  FontFile found;
  found.path = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &found.index);
  FcChar8* matched_family = nullptr;
  if (FcPatternGetString(match.get(), FC_FAMILY, 0, &matched_family) == FcResultMatch)
    found.family = reinterpret_cast<const char*>(matched_family);
  return found;
}

}  // namespace rivo

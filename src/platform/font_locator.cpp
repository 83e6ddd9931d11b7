#include "platform/font_locator.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "platform/platform_error.h"

namespace rivo {
namespace {

struct Substitute {
  std::string_view face;
  std::string_view family;
  bool fixed_pitch;
};

// The faces of Japanese Windows, full-width and ASCII spellings, and the IPA
// fonts that have the same metrics (fixed or proportional, gothic or mincho).
constexpr Substitute kSubstitutes[] = {
    {"ＭＳ ゴシック", "IPAGothic", true},    {"MS Gothic", "IPAGothic", true},
    {"ＭＳ Ｐゴシック", "IPAPGothic", false}, {"MS PGothic", "IPAPGothic", false},
    {"MS UI Gothic", "IPAPGothic", false},   {"ＭＳ 明朝", "IPAMincho", true},
    {"MS Mincho", "IPAMincho", true},        {"ＭＳ Ｐ明朝", "IPAPMincho", false},
    {"MS PMincho", "IPAPMincho", false},
};
constexpr std::string_view kDefaultFace = "ＭＳ ゴシック";

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

const FcChar8* Fc(const std::string& s) { return reinterpret_cast<const FcChar8*>(s.c_str()); }

bool HasFamily(FcPattern* pattern, const std::string& family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &name) == FcResultMatch; ++i)
    if (FcStrCmpIgnoreCase(name, Fc(family)) == 0) return true;
  return false;
}

// A font that claims Japanese but has no kana or kanji is no use for text.
bool CoversJapanese(FcPattern* pattern) {
  FcCharSet* chars = nullptr;
  if (FcPatternGetCharSet(pattern, FC_CHARSET, 0, &chars) != FcResultMatch) return false;
  return FcCharSetHasChar(chars, 0x3042) && FcCharSetHasChar(chars, 0x4E9C) &&
         FcCharSetHasChar(chars, 0x30A2);
}

FontFile ToFontFile(FcPattern* match) {
  FontFile found;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
    found.path = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(match, FC_INDEX, 0, &found.index);
  FcChar8* family = nullptr;
  if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch)
    found.family = reinterpret_cast<const char*>(family);
  int weight = FC_WEIGHT_REGULAR;
  FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
  // fontconfig answers a bold request with the regular face marked for
  // emboldening when the family has no bold face.
  FcBool embolden = FcFalse;
  FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
  found.bold = weight >= FC_WEIGHT_BOLD && !embolden;
  return found;
}

}  // namespace

std::string_view SubstituteFontFamily(std::string_view face_utf8) {
  for (const Substitute& s : kSubstitutes)
    if (s.face == face_utf8) return s.family;
  return face_utf8;
}

std::vector<std::string_view> SubstitutedFaces(bool fixed_pitch) {
  std::vector<std::string_view> faces;
  for (const Substitute& s : kSubstitutes)
    if (s.fixed_pitch || !fixed_pitch) faces.push_back(s.face);
  return faces;
}

FontconfigLocator::FontconfigLocator() : config_(FcInitLoadConfigAndFonts()) {
  if (!config_) throw PlatformError("fontconfig could not be initialised");
}

FontconfigLocator::~FontconfigLocator() { FcConfigDestroy(config_); }

std::optional<FontFile> FontconfigLocator::MatchFamily(const std::string& family, bool bold) {
  PatternPtr pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, Fc(family));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  FcConfigSubstitute(config_, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(config_, pattern.get(), &result));
  // fontconfig always answers something; only a font of that very family counts.
  if (!match || !HasFamily(match.get(), family)) return std::nullopt;
  return ToFontFile(match.get());
}

std::optional<FontFile> FontconfigLocator::MatchJapanese(const std::string& family, bool bold) {
  PatternPtr pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, Fc(family));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcLangSet* lang = FcLangSetCreate();
  FcLangSetAdd(lang, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddLangSet(pattern.get(), FC_LANG, lang);
  FcLangSetDestroy(lang);
  FcConfigSubstitute(config_, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(config_, pattern.get(), &result));
  if (!match || !CoversJapanese(match.get())) return std::nullopt;
  return ToFontFile(match.get());
}

std::optional<FontFile> FontconfigLocator::Find(std::string_view face_utf8, bool bold) {
  const std::string family(SubstituteFontFamily(face_utf8));
  if (std::optional<FontFile> exact = MatchFamily(family, bold)) return exact;
  if (std::optional<FontFile> japanese = MatchJapanese(family, bold)) return japanese;
  return MatchFamily(std::string(SubstituteFontFamily(kDefaultFace)), bold);
}

std::vector<std::string> FontconfigLocator::Families(bool fixed_pitch) {
  PatternPtr pattern(FcPatternCreate());
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_SPACING, nullptr);
  FcFontSet* fonts = FcFontList(config_, pattern.get(), objects);
  FcObjectSetDestroy(objects);
  std::set<std::string> names;
  for (int i = 0; fonts && i < fonts->nfont; ++i) {
    FcPattern* font = fonts->fonts[i];
    int spacing = FC_PROPORTIONAL;
    FcPatternGetInteger(font, FC_SPACING, 0, &spacing);
    if (fixed_pitch && spacing < FC_DUAL) continue;
    FcChar8* name = nullptr;
    for (int k = 0; FcPatternGetString(font, FC_FAMILY, k, &name) == FcResultMatch; ++k)
      names.insert(reinterpret_cast<const char*>(name));
  }
  if (fonts) FcFontSetDestroy(fonts);
  return {names.begin(), names.end()};
}

}  // namespace rivo

#pragma once
// Finding the font file for a face name a game asks for. Games name Windows
// faces ("ＭＳ ゴシック", "ＭＳ Ｐ明朝"); fontconfig maps those to fonts that
// lack Japanese glyphs, so the player keeps its own table of substitutes.
// A face is looked up in that table, then as an installed family of exactly
// that name, then as the best font fontconfig has for Japanese (checked to
// really carry kana and kanji), and last as the table's ＭＳ ゴシック.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct _FcConfig;  // fontconfig's own type

namespace rivo {

struct FontFile {
  std::filesystem::path path;
  int index = 0;       // face index inside a collection file
  std::string family;  // the family fontconfig chose (UTF-8)
  bool bold = false;   // the face itself is bold (no emboldening needed)
};

class FontLocator {
 public:
  virtual ~FontLocator() = default;
  // face_utf8 is the face name the game gave, converted to UTF-8; bold asks
  // for the family's bold face where it has one.
  virtual std::optional<FontFile> Find(std::string_view face_utf8, bool bold = false) = 0;
};

// The installed family that stands in for a Windows face, or the face itself
// when the table has none.
std::string_view SubstituteFontFamily(std::string_view face_utf8);

// The Windows face names of the table (UTF-8), in table order; with
// fixed_pitch only the fixed-pitch ones.
std::vector<std::string_view> SubstitutedFaces(bool fixed_pitch);

class FontconfigLocator final : public FontLocator {
 public:
  FontconfigLocator();
  FontconfigLocator(const FontconfigLocator&) = delete;
  FontconfigLocator& operator=(const FontconfigLocator&) = delete;
  ~FontconfigLocator() override;

  std::optional<FontFile> Find(std::string_view face_utf8, bool bold = false) override;
  // Every installed family name (UTF-8, each once, sorted); with
  // fixed_pitch only the families of fixed or dual (CJK) spacing.
  std::vector<std::string> Families(bool fixed_pitch);

 private:
  std::optional<FontFile> MatchFamily(const std::string& family, bool bold);
  std::optional<FontFile> MatchJapanese(const std::string& family, bool bold);

  _FcConfig* config_;
};

}  // namespace rivo

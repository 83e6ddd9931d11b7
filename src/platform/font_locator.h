#pragma once
// Finding the font file for a face name a game asks for. Games name Windows
// faces ("ＭＳ ゴシック", "ＭＳ Ｐ明朝"); fontconfig maps those to fonts that
// lack Japanese glyphs, so the player keeps its own table of substitutes and
// asks fontconfig for a font that covers Japanese when a face is unknown.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

struct _FcConfig;  // fontconfig's own type

namespace rivo {

struct FontFile {
  std::filesystem::path path;
  int index = 0;       // face index inside a collection file
  std::string family;  // the family fontconfig chose (UTF-8)
};

class FontLocator {
 public:
  virtual ~FontLocator() = default;
  // face_utf8 is the face name the game gave, converted to UTF-8.
  virtual std::optional<FontFile> Find(std::string_view face_utf8) = 0;
};

// The installed family that stands in for a Windows face, or the face itself
// when the table has none.
std::string_view SubstituteFontFamily(std::string_view face_utf8);

class FontconfigLocator final : public FontLocator {
 public:
  FontconfigLocator();
  FontconfigLocator(const FontconfigLocator&) = delete;
  FontconfigLocator& operator=(const FontconfigLocator&) = delete;
  ~FontconfigLocator() override;

  std::optional<FontFile> Find(std::string_view face_utf8) override;

 private:
  _FcConfig* config_;
};

}  // namespace rivo

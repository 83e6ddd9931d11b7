#pragma once
// The font back end of real runs: faces found through fontconfig (with the
// player's table of Windows faces, font_locator.h) and rendered by FreeType.
//
// Windows fonts are opened by cell height, so a requested height h > 0 gives
// the size at which the face's ascent plus descent (the OS/2 winAscent and
// winDescent) is h pixels. A family without a bold face is emboldened, an
// italic is slanted. Character codes go to Unicode through the CP932 table;
// a single-byte 0x5C is drawn as the yen sign, as the Japanese system fonts
// the games were made with show it.

#include <memory>
#include <optional>
#include <string_view>

#include "platform/font_files.h"
#include "platform/font_rasteriser.h"

namespace rivo {

class FreeTypeRasteriser final : public FontRasteriser {
 public:
  // Throws PlatformError when FreeType or fontconfig cannot start.
  FreeTypeRasteriser();
  // Draws from files another rasteriser (on any thread) may already have
  // found and mapped; throws PlatformError when FreeType cannot start.
  explicit FreeTypeRasteriser(std::shared_ptr<FontFiles> files);
  ~FreeTypeRasteriser() override;

  std::shared_ptr<RasterFont> Open(const FontRequest& request) override;
  std::vector<std::string> InstalledFamilies(bool fixed_pitch) override;
  // The files this rasteriser draws from, to share with another.
  const std::shared_ptr<FontFiles>& Files() const;
  // The file a face name (CP932) is drawn from.
  std::optional<FontFile> Resolve(std::string_view face_cp932, bool bold);
  // Finds and reads the regular face a name (CP932) is drawn from, so that
  // its first Open only sizes it.
  void Preload(std::string_view face_cp932);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace rivo

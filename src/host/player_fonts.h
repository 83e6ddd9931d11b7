#pragma once
// The fonts of one player: the rasteriser the command line chose (the
// installed fonts, or the fixed test rasteriser for --test-fonts) and the
// glyph cache every text is drawn from. Both live for the whole run.
//
// The installed fonts are started on a worker thread when the player starts
// (fontconfig reads its whole font list then), so that the first text does
// not wait for them.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/font_rasteriser.h"
#include "text/font_pixel_manager.h"

namespace rivo {

class PlayerFonts {
 public:
  // log may be null.
  PlayerFonts(bool test_fonts, std::ostream* log);
  ~PlayerFonts();
  PlayerFonts(const PlayerFonts&) = delete;
  PlayerFonts& operator=(const PlayerFonts&) = delete;

  FontRasteriser& Rasteriser() { return *rasteriser_; }
  TFontPixelManager& Glyphs() { return *glyphs_; }
  // The face names "@Fonts" and "@FixedFonts" list (CP932).
  std::vector<std::string> FaceNames(bool fixed_pitch) { return FontFaceNames(*rasteriser_, fixed_pitch); }

 private:
  std::unique_ptr<FontRasteriser> rasteriser_;
  std::unique_ptr<TFontPixelManager> glyphs_;
};

}  // namespace rivo

#pragma once
// The fonts of one player: the rasteriser the command line chose (the
// installed fonts, or the fixed test rasteriser for --test-fonts) and the
// glyph cache every text is drawn from. Both live for the whole run.
//
// The installed fonts are started on a worker thread when the player starts
// (fontconfig reads its whole font list then), so that the first text does
// not wait for them. With the look-ahead loader, the glyphs of the coming
// pages are rendered ahead on a worker of their own (glyph_ahead.h), which
// opens the font files that start found.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "host/glyph_ahead.h"
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
  // The glyphs rendered ahead, started on the first call; the glyph cache
  // takes from them from then on. The look-ahead loader that feeds them
  // must stop before the fonts go.
  GlyphAhead& Ahead();

 private:
  std::unique_ptr<FontRasteriser> rasteriser_;
  // Makes the glyph worker's back end, of the same kind as the cache's.
  GlyphAhead::RasteriserMaker workers_fonts_;
  // Declared between the two: the cache goes first, then the worker it
  // takes from.
  std::unique_ptr<GlyphAhead> ahead_;
  std::unique_ptr<TFontPixelManager> glyphs_;
};

}  // namespace rivo

#pragma once
// TPreparedGlyphs: glyphs rendered ahead, off the player thread, that the
// glyph cache may take instead of rendering them itself. The cache asks on a
// miss and renders the glyph as always when none is ready: it never waits.
//
// A glyph is offered by the identity of the font that rendered it
// (RasterFont::Identity), so the cache takes only what its own font would
// have rendered byte for byte; a guess at another size, face or style is
// simply never asked for. A glyph is offered converted (glyph_image.h), so
// that taking it is all the cache does with it.

#include <cstdint>
#include <string>
#include <string_view>

#include "text/glyph_image.h"

namespace rivo {

// A font as the glyph cache is asked for it.
struct GlyphFont {
  std::string face;  // CP932
  int32_t size = 0;
  uint8_t style = 0;
  int32_t level = 0;  // antialias level, 0-3

  bool operator==(const GlyphFont&) const = default;
};

class TPreparedGlyphs {
 public:
  virtual ~TPreparedGlyphs() = default;
  // The glyph of code rendered at level by a font of this identity, taken
  // out into glyph; false when none is ready. Only renders that succeeded
  // are offered.
  virtual bool TakeGlyph(std::string_view font_identity, int32_t level, uint16_t code, GlyphImage& glyph) = 0;
  // The cache turned to another font: texts of the coming pages whose font
  // is not known are likely drawn in the fonts used last.
  virtual void FontUsed(const GlyphFont& font) = 0;
};

}  // namespace rivo

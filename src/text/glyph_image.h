#pragma once
// GlyphImage: a rendered glyph in the form the glyph cache keeps it (an
// 8-bit coverage bitmap of its black box and where it sits in its cell),
// made from the rasteriser's raw render. PlaceGlyph is the one conversion
// both the cache and the glyph worker use, so that a glyph rendered ahead
// on the worker is byte for byte the one the cache would have made.

#include <cstdint>
#include <optional>

#include "graphics/dib_surface.h"
#include "platform/font_rasteriser.h"

namespace rivo {

struct GlyphImage {
  TDIBSurface pixels;        // 8 bits, 0 none ... 255 full; empty for a character without outline
  int32_t left = 0;          // cell left to bitmap
  int32_t top = 0;           // cell top to bitmap
  int32_t advance_rest = 0;  // after the bitmap; the whole text width without outline
  std::optional<AbcWidths> abc;  // as the render measured them, if it did
};

// raw: what font rendered for code at level (the level it was rendered at,
// which picks the coverage table). Any font of the same identity places it alike.
GlyphImage PlaceGlyph(RasterFont& font, uint16_t code, int32_t level, const RasterGlyph& raw);

}  // namespace rivo

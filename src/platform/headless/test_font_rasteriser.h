#pragma once
// The fixed test rasteriser: every face, size and style gives glyphs
// computed from the character code alone, so that frames drawn with it are
// the same on every machine whatever fonts it has installed.
//
// For a cell height h: ascent h - h / 5; half-width characters advance
// h / 2, double-byte ones h; spaces (0x20, 0x8140) and control characters
// have no outline. Other characters have a black box of
// max(1, advance - 1 - code % 3) x max(1, ascent - code % 4), starting
// code % 2 right of the pen and code % 3 below the cell top, filled with a
// ramp of every gray level: raw (x + 2y + code + style) mod (top level + 1).
// Bold adds one pixel to the box and the advance.

#include "platform/font_rasteriser.h"

namespace rivo {

class TestFontRasteriser final : public FontRasteriser {
 public:
  std::shared_ptr<RasterFont> Open(const FontRequest& request) override;
  // One made-up family, fixed pitch.
  std::vector<std::string> InstalledFamilies(bool fixed_pitch) override;
};

}  // namespace rivo

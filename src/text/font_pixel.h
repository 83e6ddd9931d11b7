#pragma once
// TFontPixel: one glyph of the glyph cache. An 8-bit coverage bitmap of the
// character's black box (0 none ... 255 full) with what is needed to place
// it in a text cell, and the operations that draw it into the two layers
// text is built in: a 32-bit colour layer and an 8-bit coverage layer of the
// same size, which the callers later compose onto the screen.
//
// Every operation draws only what falls inside the destination's clip
// rectangle and nothing for an empty bitmap; colour writes go to 32-bit
// layers only. Colours are native pixel values of the colour layer.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "graphics/dibx.h"
#include "graphics/rect.h"
#include "platform/font_rasteriser.h"
#include "text/decorate.h"

namespace rivo {

// Borders and shadows beyond kMaxBorderWidth and kMaxShadowOffset (the
// bounds of decorate.h) are drawn at those: the border pass costs
// (2k + 1)^2 composites per pixel.

struct TCellStyle {
  int32_t border = 0;  // outline width
  int32_t shadow = 0;  // drop shadow offset, right and down
  // Whether the previous / next character differs from this one in border,
  // shadow or their colours: the bars of a run of like characters join.
  bool first_in_run = true;
  bool last_in_run = true;
  uint32_t text_color = 0;
  uint32_t border_color = 0;
  uint32_t shadow_color = 0;
  // The caller shows plain cells by filling the text colour through the
  // coverage layer (label lists, message text): a plain cell then leaves
  // the colour layer alone. Cells with a border or shadow always paint it.
  bool coverage_only = false;
};

class TFontPixel {
 public:
  TDIBX Bitmap;  // 8 bits; empty for a character without outline
  uint16_t Code = 0;
  std::string FontName;
  int32_t FontSize = 0;
  uint8_t Style = 0;
  int32_t AntialiasLevel = 0;
  int32_t GlyphLeft = 0;      // cell left to bitmap
  int32_t GlyphTop = 0;       // cell top to bitmap
  int32_t UnderlineSize = 0;  // with the underline bit
  int32_t StrikeoutTop = 0;   // with the strike-out bit
  int32_t StrikeoutSize = 0;
  int32_t AdvanceRest = 0;  // after the bitmap; a whole text width without outline

  // The font it was rendered with; measures the ABC widths for centring
  // when a cell needs them. Empty for a blank glyph.
  std::shared_ptr<RasterFont> Font;

  int32_t Width() const { return Bitmap.Width(); }
  int32_t Height() const { return Bitmap.Height(); }
  bool IsBlank() const { return Bitmap.IsEmpty(); }
  // The horizontal advance: bitmap width + GlyphLeft + AdvanceRest.
  int32_t Advance() const { return Width() + GlyphLeft + AdvanceRest; }

  // The glyph in the cell (cell width W, height H): returns the rectangle
  // of the layers it touched (empty for a blank glyph).
  TRect DrawCell(TDIBX& colour_layer, TDIBX& coverage_layer, const TRect& cell,
                 const TCellStyle& style) const;
  // How far right the bitmap moves so that the glyph sits centred by its
  // ABC widths in min(cell width, FontSize).
  int32_t CentringShift(int32_t cell_width) const;
  // The glyph's ABC widths: those the rasteriser measured while rendering
  // it, so that centring and measuring it do not load it from the font a
  // second time, or else asked from the font when first needed.
  const AbcWidths& Abc() const;
  void SetAbcWidths(const AbcWidths& abc) { abc_ = abc; }

  // --- pixel operations with the bitmap's top-left pixel at (x, y)
  // v != 0: pixel := colour.
  void DrawSolid(TDIBX& layer, int32_t x, int32_t y, uint32_t colour) const;
  // v = 255: text colour; 0 < v < 255: each channel mixes text and border by v.
  void DrawBlend(TDIBX& layer, int32_t x, int32_t y, uint32_t text, uint32_t border) const;
  // Composites colour over what both layers hold.
  void DrawOver(TDIBX& colour_layer, TDIBX& coverage_layer, uint32_t colour, int32_t x,
                int32_t y) const;
  // v != 0: coverage 255.
  void SetCoverage(TDIBX& coverage_layer, int32_t x, int32_t y) const;
  // coverage := max(coverage, v).
  void MaxCoverage(TDIBX& coverage_layer, int32_t x, int32_t y) const;
  // An outline of width k around the glyph: colour composited over both
  // layers at every offset within k of each covered pixel (not the glyph's
  // own position).
  void DrawBorder(TDIBX& colour_layer, TDIBX& coverage_layer, uint32_t colour, int32_t k,
                  int32_t x, int32_t y) const;

 private:
  mutable std::optional<AbcWidths> abc_;
};

// The composite-over rule for one pixel of colour p and coverage a, with
// source coverage v (0 < v < 255 blends; 255 replaces; 0 keeps).
void CompositeOver(uint32_t& p, uint8_t& a, uint32_t v, uint32_t colour);
// Each 8-bit channel of a BGRX pixel: (w * x + (255 - w) * y) >> 8.
uint32_t MixChannels(uint32_t w, uint32_t x, uint32_t y);

}  // namespace rivo

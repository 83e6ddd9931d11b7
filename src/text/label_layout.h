#pragma once
// The text side of the label control: its text as lines, measured through
// the glyph cache and rendered into a colour layer and a coverage layer,
// each line placed left, centred or right. The control (zoom, flips,
// opacity, rotation, saving) builds on this.

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/dibx.h"
#include "graphics/rect.h"
#include "text/font_pixel_manager.h"

namespace rivo {

// CR LF, a lone CR and a lone LF each end a line; a text that ends with a
// line break has no empty last line.
std::vector<std::string> SplitLabelLines(const std::string& text);
// The lines joined with CR LF, none after the last.
std::string JoinLabelLines(const std::vector<std::string>& lines);

struct TLabelStyle {
  std::string FontName;  // CP932; empty draws ＭＳ ゴシック
  int32_t FontHeight = 12;
  uint8_t FontStyle = 0;
  int32_t LineSpace = 0;
  int32_t FontColor = 0;
  bool Antialias = false;
  int32_t HAlign = 0;  // 0 left, 1 centre, 2 right
};

class TLabelLayout {
 public:
  // Measures the lines and renders them (when there is something to show).
  void Layout(TFontPixelManager& glyphs, const std::vector<std::string>& lines, const TLabelStyle& style);

  // No text: nothing measured, no layers.
  void Clear();

  int32_t TextWidth() const { return text_width_; }
  int32_t TextHeight() const { return text_height_; }
  const std::vector<int32_t>& LineWidths() const { return line_widths_; }
  // The part of the layers each line drew on (empty for a blank line).
  const std::vector<TRect>& LineRects() const { return line_rects_; }
  const TDIBX& Colour() const { return colour_; }
  const TDIBX& Coverage() const { return coverage_; }

 private:
  int32_t text_width_ = 0;
  int32_t text_height_ = 0;
  std::vector<int32_t> line_widths_;
  std::vector<TRect> line_rects_;
  TDIBX colour_;    // 32 bits
  TDIBX coverage_;  // 8 bits
};

}  // namespace rivo

#pragma once
// TQnLabelList: the label renderer of list boxes, menus and button captions.
// It holds one TQnLabelDIB per text, all in one font, border and shadow;
// measures them by the font's ABC widths, renders each into its own colour
// and coverage layers through the glyph cache, and draws them onto a
// target surface.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "graphics/dibx.h"
#include "text/font_pixel_manager.h"

namespace rivo {

struct TQnLabelDIB {
  std::string Text;  // CP932
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<int32_t> CharWidths;  // one per character
  TDIBX Colour;                     // 32 bits; empty without border and shadow
  TDIBX Coverage;                   // 8 bits
  bool NeedsRender = true;
};

class TQnLabelList {
 public:
  // glyphs must outlive the list.
  explicit TQnLabelList(TFontPixelManager& glyphs);

  // Settings; after changing one, Measure() again.
  int32_t AntialiasLevel = 3;
  int32_t Border = 0;
  int32_t Alpha = 255;
  int32_t FontHeight = 12;
  std::string FontName;  // ＭＳ Ｐゴシック
  int32_t FontColor = 0xFFFFFF;
  int32_t BorderColor = 0;
  uint8_t Style = 0;
  int32_t Shadow = 0;
  int32_t ShadowColor = 0;

  // Appends a label (measured at once); returns its index.
  int32_t Add(const std::string& text);
  void Clear() { labels_.clear(); }
  int32_t Count() const { return static_cast<int32_t>(labels_.size()); }
  TQnLabelDIB& Item(int32_t index) { return *labels_.at(index); }
  const TQnLabelDIB& Item(int32_t index) const { return *labels_.at(index); }

  // Measures every label again (font, border or text changed); each one
  // will be rendered again before it is drawn.
  void Measure();
  // Renders a label into its layers when it needs it.
  void Render(TQnLabelDIB& label);
  // Draws a label with its top-left corner at (x, y) of target, a 32-bit
  // surface: the text colour through the coverage layer when there is no
  // border or shadow, else the colour layer through it.
  void Draw(TCustomDIBX& target, int32_t index, int32_t x, int32_t y);

  // The settings as saves store them; loading measures again and never
  // takes the stored metrics record.
  void SaveToStream(ByteWriter& out) const;
  void LoadFromStream(ByteReader& in, int32_t version);

 private:
  void MeasureLabel(TQnLabelDIB& label, RasterFont* font);
  std::shared_ptr<RasterFont> OpenFont();

  TFontPixelManager& glyphs_;
  std::vector<std::unique_ptr<TQnLabelDIB>> labels_;
};

}  // namespace rivo

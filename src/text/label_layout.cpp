#include "text/label_layout.h"

#include "common/sjis.h"
#include "text/default_faces.h"
#include "text/layer_limits.h"

namespace rivo {
std::vector<std::string> SplitLabelLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      // A lead byte carries its trail byte, which may look like CR or LF
      // only in a damaged text; it stays part of the character.
      line += c;
      if (sjis::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size()) line += text[++i];
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

std::string JoinLabelLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

void TLabelLayout::Clear() {
  text_width_ = text_height_ = 0;
  line_widths_.clear();
  line_rects_.clear();
  colour_.FreeImage();
  coverage_.FreeImage();
}

void TLabelLayout::Layout(TFontPixelManager& glyphs, const std::vector<std::string>& lines,
                          const TLabelStyle& style) {
  glyphs.SetAntialiasLevel(style.Antialias ? 3 : 0);
  const std::string& face = style.FontName.empty() ? DefaultGothicFace() : style.FontName;
  const int32_t height = ClampLabelFontHeight(style.FontHeight);

  std::vector<std::vector<uint16_t>> codes;
  line_widths_.clear();
  int64_t widest = 0;
  for (const std::string& line : lines) {
    codes.push_back(sjis::CharCodes(line));
    int64_t width = 0;
    for (uint16_t code : codes.back()) width += glyphs.GetGlyph(code, face, style.FontStyle, height)->Advance();
    line_widths_.push_back(static_cast<int32_t>(std::min<int64_t>(width, kMaxPictureSide)));
    widest = std::max(widest, width);
  }
  const int64_t pitch = int64_t{height} + style.LineSpace;
  const LayerSize size = CapLayerSize(widest, pitch * static_cast<int64_t>(lines.size()));
  text_width_ = size.width;
  text_height_ = size.height;
  line_rects_.assign(lines.size(), TRect{});
  if (text_width_ == 0 || text_height_ == 0) return;

  // The cells are plain: the colour layer is the text colour throughout and
  // the coverage layer alone says where text is. So the underline and
  // strike-out bars, which go to the coverage layer only, show in the text
  // colour too, and no glyph paints the colour layer pixel by pixel.
  TCellStyle cell;
  cell.text_color = static_cast<uint32_t>(colour_.ColorToPixel(style.FontColor));
  cell.coverage_only = true;
  ResetLayer(colour_, size, 32, cell.text_color);
  ResetLayer(coverage_, size, 8, 0);
  const TRect bounds = coverage_.GetBounds();
  int64_t y = 0;
  for (std::size_t row = 0; row < codes.size() && y < text_height_; ++row, y += pitch) {
    int64_t x = 0;
    if (style.HAlign == 1) x = (text_width_ - int64_t{line_widths_[row]}) / 2;
    if (style.HAlign == 2) x = text_width_ - int64_t{line_widths_[row]};
    TRect drawn;
    for (std::size_t i = 0; i < codes[row].size() && x < text_width_; ++i) {
      std::shared_ptr<const TFontPixel> g = glyphs.GetGlyph(codes[row][i], face, style.FontStyle, height);
      cell.first_in_run = i == 0;
      cell.last_in_run = i + 1 == codes[row].size();
      const TRect r = g->DrawCell(colour_, coverage_,
                                  Bounds(static_cast<int32_t>(x), static_cast<int32_t>(y), g->Advance(), height), cell);
      drawn = Union(drawn, Intersect(r, bounds));
      x += g->Advance();
    }
    line_rects_[row] = drawn.IsEmpty() ? TRect{} : drawn;
  }
}

}  // namespace rivo

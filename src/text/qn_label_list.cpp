#include "text/qn_label_list.h"

#include <map>

#include "common/sjis.h"
#include "text/default_faces.h"
#include "text/layer_limits.h"
#include "text/outline_metrics_record.h"

namespace rivo {
TQnLabelList::TQnLabelList(TFontPixelManager& glyphs)
    : FontName(DefaultProportionalGothicFace()), glyphs_(glyphs) {}

std::shared_ptr<RasterFont> TQnLabelList::OpenFont() {
  return glyphs_.OpenFont(FontName, ClampLabelFontHeight(FontHeight), Style);
}

int32_t TQnLabelList::Add(const std::string& text) {
  auto label = std::make_unique<TQnLabelDIB>();
  label->Text = text;
  std::shared_ptr<RasterFont> font = OpenFont();
  MeasureLabel(*label, font.get());
  labels_.push_back(std::move(label));
  return Count() - 1;
}

void TQnLabelList::Measure() {
  std::shared_ptr<RasterFont> font = OpenFont();
  for (auto& label : labels_) MeasureLabel(*label, font.get());
}

void TQnLabelList::MeasureLabel(TQnLabelDIB& label, RasterFont* font) {
  const int32_t border = std::clamp(Border, 0, kMaxBorderWidth);
  label.NeedsRender = true;
  label.CharWidths.clear();
  label.Width = 0;
  label.Height = (font ? font->Metrics().height : 0) + 2 * border;
  if (!font) return;
  // The font's widths of each character code, for this pass. The glyphs
  // the label is drawn with measure them as they are rendered, so a glyph is
  // loaded from the font once for both; one the font could not render asks
  // the font.
  std::map<uint16_t, AbcWidths> measured;
  glyphs_.SetAntialiasLevel(AntialiasLevel);
  const int32_t height = ClampLabelFontHeight(FontHeight);
  const std::vector<uint16_t> codes = sjis::CharCodes(label.Text);
  int64_t total = 0;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    auto it = measured.find(codes[i]);
    if (it == measured.end()) {
      std::shared_ptr<const TFontPixel> glyph = glyphs_.GetGlyph(codes[i], FontName, Style, height);
      it = measured.emplace(codes[i], glyph->Font ? glyph->Abc() : font->CharAbcWidths(codes[i])).first;
    }
    const AbcWidths& abc = it->second;
    // The outline fonts have no overhang; a border widens every cell.
    int64_t width = int64_t{abc.a} + abc.b + abc.c + 2 * border;
    // The last character's black box may reach past its advance.
    if (i + 1 == codes.size() && abc.c < 0) width -= abc.c;
    const int32_t w = static_cast<int32_t>(std::clamp<int64_t>(width, 0, kMaxPictureSide));
    label.CharWidths.push_back(w);
    total += w;
  }
  label.Width = static_cast<int32_t>(std::min<int64_t>(total, kMaxPictureSide));
}

void TQnLabelList::Render(TQnLabelDIB& label) {
  if (!label.NeedsRender) return;
  label.NeedsRender = false;
  const LayerSize size = CapLayerSize(label.Width, label.Height);
  // Draw fills a plain label's colour through its coverage layer: only a
  // border or a shadow paints a colour layer.
  if (Border == 0 && Shadow == 0) label.Colour.FreeImage();
  else label.Colour.SetSize(size.width, size.height, 32);
  ResetLayer(label.Coverage, size, 8, 0);
  if (size.width == 0 || size.height == 0) return;
  glyphs_.SetAntialiasLevel(AntialiasLevel);
  TCellStyle style;
  style.border = Border;
  style.shadow = Shadow;
  style.text_color = static_cast<uint32_t>(label.Colour.ColorToPixel(FontColor));
  style.border_color = static_cast<uint32_t>(label.Colour.ColorToPixel(BorderColor));
  style.shadow_color = static_cast<uint32_t>(label.Colour.ColorToPixel(ShadowColor));
  style.coverage_only = true;  // Draw fills plain labels through the coverage layer
  const int32_t height = ClampLabelFontHeight(FontHeight);
  const std::vector<uint16_t> codes = sjis::CharCodes(label.Text);
  int32_t x = 0;
  for (std::size_t i = 0; i < codes.size() && i < label.CharWidths.size() && x < size.width; ++i) {
    style.first_in_run = i == 0;
    style.last_in_run = i + 1 == codes.size();
    std::shared_ptr<const TFontPixel> glyph = glyphs_.GetGlyph(codes[i], FontName, Style, height);
    glyph->DrawCell(label.Colour, label.Coverage, Bounds(x, 0, label.CharWidths[i], height), style);
    x += label.CharWidths[i];
  }
}

void TQnLabelList::Draw(TCustomDIBX& target, int32_t index, int32_t x, int32_t y) {
  if (index < 0 || index >= Count() || Alpha <= 0) return;
  TQnLabelDIB& label = *labels_[index];
  Render(label);
  if (label.Coverage.IsEmpty()) return;
  const TRect source = label.Coverage.GetBounds();
  const int32_t alpha = std::min(Alpha, 255);
  if (Border == 0 && Shadow == 0) {
    target.FillMask(x, y, alpha, static_cast<uint32_t>(target.ColorToPixel(FontColor)), false, false,
                    source, label.Coverage);
  } else if (alpha < 255) {
    target.DrawAlphaMask(x, y, alpha, label.Coverage, false, false, source, label.Colour);
  } else {
    target.DrawMask(x, y, label.Coverage, false, false, source, label.Colour);
  }
}

void TQnLabelList::SaveToStream(ByteWriter& out) const {
  out.I32(AntialiasLevel);
  out.I32(Border);
  out.I32(Alpha);
  out.I32(FontHeight);
  out.String(FontName);
  out.I32(FontColor);
  out.I32(BorderColor);
  out.U8(Style);
  std::shared_ptr<RasterFont> font = glyphs_.OpenFont(FontName, ClampLabelFontHeight(FontHeight), Style);
  out.Bytes(OutlineMetricsRecord(font ? font->Metrics() : FontMetrics{}));
  out.I32(Shadow);
  out.I32(ShadowColor);
}

void TQnLabelList::LoadFromStream(ByteReader& in, int32_t version) {
  AntialiasLevel = in.I32();
  // Older saves stored the level as a flag-like value.
  if (version < 109) AntialiasLevel = AntialiasLevel > 1 ? 3 : 0;
  Border = in.I32();
  Alpha = in.I32();
  FontHeight = in.I32();
  FontName = in.String();
  FontColor = in.I32();
  BorderColor = in.I32();
  Style = in.U8();
  in.Skip(kOutlineMetricsRecordSize);  // measured again below
  if (version >= 122) {
    Shadow = in.I32();
    ShadowColor = in.I32();
  }
  Measure();
}

}  // namespace rivo

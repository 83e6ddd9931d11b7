#include "text/font_pixel_manager.h"

#include <algorithm>
#include <exception>

#include "common/encoding.h"
#include "text/coverage_tables.h"
#include "text/default_faces.h"

namespace rivo {

TFontPixelManager::TFontPixelManager(FontRasteriser& fonts, std::ostream* log)
    : fonts_(fonts), log_(log), default_face_(DefaultGothicFace()) {}

int32_t TFontPixelManager::Ascent() const {
  return current_font_ ? current_font_->Metrics().ascent : 0;
}

std::shared_ptr<RasterFont> TFontPixelManager::OpenFont(const std::string& font_name, int32_t size,
                                                        uint8_t style) {
  for (const std::string* face : {&font_name, static_cast<const std::string*>(&default_face_)}) {
    try {
      if (std::shared_ptr<RasterFont> font = fonts_.Open({*face, size, style})) return font;
    } catch (const std::exception& e) {
      // A font file that breaks while opening counts as a missing face.
      if (log_ && !failure_logged_) *log_ << "font " << Cp932ToUtf8(*face) << ": " << e.what() << "\n";
    }
  }
  return nullptr;
}

bool TFontPixelManager::SelectFont(const std::string& font_name, int32_t size, uint8_t style) {
  if (current_font_ && font_name == current_name_ && size == current_size_ && style == current_style_)
    return true;
  std::shared_ptr<RasterFont> font = OpenFont(font_name, size, style);
  if (!font) return false;
  current_font_ = std::move(font);
  current_name_ = font_name;
  current_size_ = size;
  current_style_ = style;
  return true;
}

bool TFontPixelManager::RenderRaw(uint16_t code, RasterGlyph& raw) {
  RasterFont& font = *current_font_;
  if (prepared_) {
    const std::string_view identity = font.Identity();
    if (!identity.empty()) {
      if (std::optional<RasterGlyph> ready = prepared_->TakeGlyph(identity, antialias_level_, code)) {
        raw = std::move(*ready);
        ++made_.prepared;
        return true;
      }
    }
  }
  ++made_.rendered;
  try {
    if (font.Render(code, antialias_level_, raw)) return true;
    antialias_level_ = 0;
    return font.Render(code, 0, raw);
  } catch (const std::exception&) {
    return false;
  }
}

void TFontPixelManager::Render(TFontPixel& glyph) {
  RasterFont& font = *current_font_;
  RasterGlyph raw;
  if (!RenderRaw(glyph.Code, raw)) return;  // a blank glyph with advance 0
  glyph.Font = current_font_;
  if (raw.abc) glyph.SetAbcWidths(*raw.abc);
  const FontMetrics& metrics = font.Metrics();
  if (raw.width <= 0 || raw.height <= 0 ||
      raw.levels.size() < static_cast<std::size_t>(raw.width) * raw.height) {
    glyph.AdvanceRest = font.TextWidth(glyph.Code);
    return;
  }
  glyph.Bitmap.SetSize(raw.width, raw.height, 8);
  const std::span<const uint8_t> table = CoverageTable(antialias_level_);
  const uint8_t top = static_cast<uint8_t>(table.size() - 1);
  for (int32_t y = 0; y < raw.height; ++y) {
    uint8_t* row = glyph.Bitmap.Store().ScanLine(y);
    const uint8_t* src = raw.levels.data() + static_cast<std::size_t>(y) * raw.width;
    for (int32_t x = 0; x < raw.width; ++x) row[x] = table[std::min(src[x], top)];
  }
  glyph.GlyphLeft = std::max(0, raw.origin_x);
  glyph.GlyphTop = static_cast<int32_t>(std::max<int64_t>(0, int64_t{metrics.ascent} - raw.origin_y));
  const int64_t rest = int64_t{raw.advance} - raw.width - glyph.GlyphLeft;
  glyph.AdvanceRest = rest > 0 ? static_cast<int32_t>(rest) : 0;
  if (glyph.Style & FS_UNDERLINE) glyph.UnderlineSize = metrics.underscore_size;
  if (glyph.Style & FS_STRIKEOUT) {
    glyph.StrikeoutTop = metrics.ascent - metrics.strikeout_position;
    glyph.StrikeoutSize = metrics.strikeout_size;
  }
}

void TFontPixelManager::Evict() {
  while (recent_.size() > kMaxRecent) {
    auto last = std::prev(recent_.end());
    std::vector<RecentList::iterator>& bucket = buckets_[(*last)->Code & 0xFF];
    bucket.erase(std::find(bucket.begin(), bucket.end(), last));
    recent_.erase(last);  // a caller still holding the glyph keeps it alive
  }
}

std::shared_ptr<const TFontPixel> TFontPixelManager::GetGlyph(uint16_t code,
                                                              const std::string& font_name,
                                                              uint8_t style, int32_t size) {
  std::vector<RecentList::iterator>& bucket = buckets_[code & 0xFF];
  for (RecentList::iterator entry : bucket) {
    const TFontPixel& g = **entry;
    if (g.Code == code && g.FontSize == size && g.Style == style &&
        g.AntialiasLevel == antialias_level_ && g.FontName == font_name) {
      recent_.splice(recent_.begin(), recent_, entry);
      return *entry;
    }
  }

  auto glyph = std::make_shared<TFontPixel>();
  glyph->Code = code;
  glyph->FontName = font_name;
  glyph->FontSize = size;
  glyph->Style = style;
  glyph->AntialiasLevel = antialias_level_;
  if (!SelectFont(font_name, size, style)) {
    if (log_ && !failure_logged_)
      *log_ << "no font can be opened for \"" << Cp932ToUtf8(font_name)
            << "\" nor the default face; text is not drawn\n";
    failure_logged_ = true;
    return glyph;  // not cached: the fonts may be back on the next fetch
  }
  if (prepared_) {
    GlyphFont font{font_name, size, style, antialias_level_};
    if (font != reported_) {
      prepared_->FontUsed(font);
      reported_ = std::move(font);
    }
  }
  Render(*glyph);
  recent_.push_front(glyph);
  bucket.push_back(recent_.begin());
  Evict();
  return glyph;
}

}  // namespace rivo

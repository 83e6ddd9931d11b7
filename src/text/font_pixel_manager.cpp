#include "text/font_pixel_manager.h"

#include <algorithm>
#include <exception>

#include "common/encoding.h"
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

bool TFontPixelManager::RenderImage(uint16_t code, GlyphImage& image) {
  RasterFont& font = *current_font_;
  if (prepared_) {
    const std::string_view identity = font.Identity();
    if (!identity.empty() && prepared_->TakeGlyph(identity, antialias_level_, code, image)) {
      ++made_.prepared;
      return true;
    }
  }
  ++made_.rendered;
  RasterGlyph raw;
  try {
    if (!font.Render(code, antialias_level_, raw)) {
      antialias_level_ = 0;
      if (!font.Render(code, 0, raw)) return false;
    }
  } catch (const std::exception&) {
    return false;
  }
  image = PlaceGlyph(font, code, antialias_level_, raw);
  return true;
}

void TFontPixelManager::Render(TFontPixel& glyph) {
  GlyphImage image;
  if (!RenderImage(glyph.Code, image)) return;  // a blank glyph with advance 0
  glyph.Font = current_font_;
  if (image.abc) glyph.SetAbcWidths(*image.abc);
  glyph.AdvanceRest = image.advance_rest;
  if (image.pixels.Width() <= 0) return;
  const int32_t width = image.pixels.Width(), height = image.pixels.Height();
  // The bitmap takes the converted pixels; SetSize, finding them that size, records it.
  glyph.Bitmap.Store() = std::move(image.pixels);
  glyph.Bitmap.SetSize(width, height, 8);
  glyph.GlyphLeft = image.left;
  glyph.GlyphTop = image.top;
  const FontMetrics& metrics = current_font_->Metrics();
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

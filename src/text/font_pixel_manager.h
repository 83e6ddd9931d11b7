#pragma once
// TFontPixelManager: the glyph cache all text is drawn from. GetGlyph turns
// a character in a font, size and style into a TFontPixel rendered at the
// manager's current antialias level, and keeps the 256 most recently used
// glyphs for reuse, found through 256 buckets by the low byte of the code.
//
// The selected font is shared state: it changes only when a fetch asks for
// another name, size or style, so runs of like characters reuse it. Callers
// set AntialiasLevel before their fetches.
//
// A fetched glyph is shared: the caller's reference keeps it alive even
// after it falls out of the recent list. GetGlyph never throws: a face that
// cannot be opened falls back to ＭＳ ゴシック, and when that fails too the
// answer is a blank glyph that is not cached (the failure is logged once).
//
// A glyph the cache does not hold may have been rendered ahead on another
// thread (SetPrepared): it is taken when its font's identity and the level
// match, and drawn from exactly as the cache's own render would be.

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/font_rasteriser.h"
#include "text/font_pixel.h"
#include "text/glyph_image.h"
#include "text/prepared_glyphs.h"

namespace rivo {

class TFontPixelManager {
 public:
  static constexpr std::size_t kMaxRecent = 256;

  // fonts must outlive the manager; log may be null.
  explicit TFontPixelManager(FontRasteriser& fonts, std::ostream* log = nullptr);
  TFontPixelManager(const TFontPixelManager&) = delete;
  TFontPixelManager& operator=(const TFontPixelManager&) = delete;

  // code: a single-byte character or lead * 256 + trail; font_name CP932.
  std::shared_ptr<const TFontPixel> GetGlyph(uint16_t code, const std::string& font_name,
                                             uint8_t style, int32_t size);

  // 0 two levels, 1 five, 2 seventeen, 3 sixty-five. A glyph that cannot be
  // rendered at the level is rendered two-level, and the level drops to 0
  // until a caller sets it again.
  int32_t AntialiasLevel() const { return antialias_level_; }
  // Levels outside 0-3 render two-level.
  void SetAntialiasLevel(int32_t level) { antialias_level_ = level >= 1 && level <= 3 ? level : 0; }

  // The ascent of the selected font (0 before the first fetch).
  int32_t Ascent() const;
  // The font a name, size and style select, with the same fallback as
  // GetGlyph (nullptr when nothing can be opened). For measuring labels.
  std::shared_ptr<RasterFont> OpenFont(const std::string& font_name, int32_t size, uint8_t style);

  FontRasteriser& Rasteriser() { return fonts_; }
  std::size_t CachedCount() const { return recent_.size(); }

  // Where glyphs rendered ahead are looked for (nullptr: nowhere); it must
  // outlive the manager or be unset first.
  void SetPrepared(TPreparedGlyphs* prepared) { prepared_ = prepared; }
  // Glyphs the cache did not hold: how many it rendered itself and how many
  // it took ready from the prepared glyphs.
  struct Counts {
    int64_t rendered = 0;
    int64_t prepared = 0;
  };
  const Counts& Made() const { return made_; }

 private:
  using RecentList = std::list<std::shared_ptr<TFontPixel>>;

  bool SelectFont(const std::string& font_name, int32_t size, uint8_t style);
  void Render(TFontPixel& glyph);
  // The glyph at the current level (dropping to 0 where the level cannot
  // be rendered), ready from ahead or made here; false for none.
  bool RenderImage(uint16_t code, GlyphImage& image);
  void Evict();

  FontRasteriser& fonts_;
  std::ostream* log_;
  std::string default_face_;  // ＭＳ ゴシック in CP932
  bool failure_logged_ = false;

  std::array<std::vector<RecentList::iterator>, 256> buckets_;
  RecentList recent_;  // most recently used first
  int32_t antialias_level_ = 3;

  std::shared_ptr<RasterFont> current_font_;
  std::string current_name_;
  int32_t current_size_ = 0;
  uint8_t current_style_ = 0;

  TPreparedGlyphs* prepared_ = nullptr;
  GlyphFont reported_;  // the font last told to prepared_
  Counts made_;
};

}  // namespace rivo

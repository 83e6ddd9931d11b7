#pragma once
// Outline glyphs of installed fonts, as the glyph cache asks for them. A
// font is opened for a face name (CP932, as the game gives it), a height
// and a style; it answers the metrics of the font and renders one character
// at a time as raw gray levels in the glyph's black box.
//
// Two back ends: FreeType with fontconfig (freetype_rasteriser.h) and a
// fixed test rasteriser (headless/test_font_rasteriser.h) whose glyphs are
// computed from the character code, so frame tests do not depend on which
// font versions a machine has installed.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rivo {

// Font style bits as games store them.
constexpr uint8_t FS_BOLD = 1;
constexpr uint8_t FS_ITALIC = 2;
constexpr uint8_t FS_UNDERLINE = 4;
constexpr uint8_t FS_STRIKEOUT = 8;

// Heights a font is opened at are kept within this range (in pixels), so a
// size from a script can never ask for a glyph of gigabytes.
constexpr int32_t kMaxFontHeight = 1024;

struct FontRequest {
  std::string face;     // CP932
  int32_t height = 0;   // > 0: cell height; < 0: em height; 0: the default
  uint8_t style = 0;    // FS_ bits
};

// What a font reports about itself, in pixels (positions above the baseline
// are positive).
struct FontMetrics {
  int32_t height = 0;  // ascent + descent: the cell height
  int32_t ascent = 0;
  int32_t descent = 0;
  int32_t internal_leading = 0;
  int32_t average_width = 0;
  int32_t max_width = 0;
  int32_t weight = 400;
  bool italic = false;
  bool fixed_pitch = false;
  int32_t em_square = 0;  // design units per em
  int32_t underscore_size = 0;
  int32_t underscore_position = 0;
  int32_t strikeout_size = 0;
  int32_t strikeout_position = 0;
};

// The ABC widths of a character: space before its black box, the box, and
// the space after it (A and C may be negative).
struct AbcWidths {
  int32_t a = 0;
  int32_t b = 0;
  int32_t c = 0;
};

// Gray levels by antialias level: 0 renders two levels (0, 1), 1 five
// (0-4), 2 seventeen (0-16), 3 sixty-five (0-64).
int32_t MaxRawLevel(int32_t antialias_level);

struct RasterGlyph {
  int32_t width = 0;   // black box; 0 x 0 for a character without outline
  int32_t height = 0;
  int32_t origin_x = 0;  // box left, from the pen position
  int32_t origin_y = 0;  // box top, above the baseline
  int32_t advance = 0;   // cell increment
  std::vector<uint8_t> levels;  // width * height raw levels, top row first
  // The character's ABC widths, as CharAbcWidths answers them, where the
  // render measured them on the way (loading a glyph is most of its cost,
  // and centring a glyph in its cell needs them); empty otherwise.
  std::optional<AbcWidths> abc;
};

class RasterFont {
 public:
  virtual ~RasterFont() = default;
  virtual const FontMetrics& Metrics() const = 0;
  // code: a single-byte character or lead * 256 + trail. False when the
  // character cannot be rendered at this level.
  virtual bool Render(uint16_t code, int32_t antialias_level, RasterGlyph& out) = 0;
  // The width of the character as text (its advance).
  virtual int32_t TextWidth(uint16_t code) = 0;
  virtual AbcWidths CharAbcWidths(uint16_t code) = 0;
  // What the font's renders depend on (file, face, pixel size, synthesis):
  // two fonts of equal identity render every glyph alike, even when they
  // were opened by different rasterisers on different threads. Empty when
  // the back end cannot promise that.
  virtual std::string_view Identity() const { return {}; }
};

class FontRasteriser {
 public:
  virtual ~FontRasteriser() = default;
  // A face that is not installed falls back as the back end decides;
  // nullptr when no font at all can be made.
  virtual std::shared_ptr<RasterFont> Open(const FontRequest& request) = 0;
  // Installed family names (UTF-8); with fixed_pitch only the fixed ones.
  virtual std::vector<std::string> InstalledFamilies(bool fixed_pitch) = 0;
};

// The face names scripts can choose from (CP932): the Windows faces the
// player maps to installed fonts (with fixed_pitch only the fixed ones),
// then every installed family whose name has a CP932 form, each once.
std::vector<std::string> FontFaceNames(FontRasteriser& fonts, bool fixed_pitch);

}  // namespace rivo

// rivotool text OUT.png TEXT [options]: the text drawn in character cells
// through the glyph cache, as the player's label controls draw it, written
// as a PNG, with each character's metrics printed. Lines break at newlines.

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>

#include "common/encoding.h"
#include "common/sjis.h"
#include "graphics/picture_file.h"
#include "platform/freetype_rasteriser.h"
#include "platform/headless/test_font_rasteriser.h"
#include "text/font_pixel_manager.h"
#include "text/layer_limits.h"
#include "tools/font_commands.h"

namespace rivo::tools {
namespace {

constexpr const char* kUsage =
    "usage: rivotool text OUT.png TEXT [--font NAME] [--size N] [--aa 0-3] [--style BITS]\n"
    "                     [--border B] [--shadow S] [--test-fonts]\n";

constexpr uint32_t kBackground = 0x604020;  // BGRX: a dark brown the colours show on
constexpr int32_t kTextColor = 0xFFFFFF;
constexpr int32_t kBorderColor = 0x000000;
constexpr int32_t kShadowColor = 0x808080;

struct TextOptions {
  std::string out;
  std::string text;  // CP932
  std::string font = Utf8ToCp932("ＭＳ ゴシック");
  int32_t size = 24;
  int32_t level = 3;
  int32_t style = 0;
  int32_t border = 0;
  int32_t shadow = 0;
  bool test_fonts = false;
};

bool ParseInt(const std::string& s, int32_t low, int32_t high, int32_t& out) {
  int32_t v = 0;
  auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (error != std::errc() || end != s.data() + s.size() || v < low || v > high) return false;
  out = v;
  return true;
}

// Returns false after printing what is wrong.
bool Parse(const std::vector<std::string>& args, TextOptions& o) {
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--test-fonts") {
      o.test_fonts = true;
      continue;
    }
    if (a.rfind("--", 0) != 0) {
      positional.push_back(a);
      continue;
    }
    if (i + 1 >= args.size()) {
      std::cerr << "rivotool text: " << a << " needs a value\n";
      return false;
    }
    const std::string& v = args[++i];
    bool ok = true;
    if (a == "--font") o.font = Utf8ToCp932(v);
    else if (a == "--size") ok = ParseInt(v, 1, kMaxFontHeight, o.size);
    else if (a == "--aa") ok = ParseInt(v, 0, 3, o.level);
    else if (a == "--style") ok = ParseInt(v, 0, 15, o.style);
    else if (a == "--border") ok = ParseInt(v, 0, kMaxBorderWidth, o.border);
    else if (a == "--shadow") ok = ParseInt(v, 0, kMaxShadowOffset, o.shadow);
    else {
      std::cerr << "rivotool text: unknown option " << a << "\n";
      return false;
    }
    if (!ok) {
      std::cerr << "rivotool text: " << a << ": " << v << " is out of range\n";
      return false;
    }
  }
  if (positional.size() != 2) return false;
  o.out = positional[0];
  o.text = Utf8ToCp932(positional[1]);
  return true;
}

std::vector<std::vector<uint16_t>> Lines(const std::string& text) {
  std::vector<std::vector<uint16_t>> lines(1);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = sjis::CharSize(text, i);
    const auto lead = static_cast<unsigned char>(text[i]);
    if (n == 1 && lead == '\n') {
      lines.emplace_back();
    } else {
      lines.back().push_back(n == 2 ? static_cast<uint16_t>(lead * 256 + static_cast<unsigned char>(text[i + 1]))
                                    : lead);
    }
    i += n;
  }
  return lines;
}

}  // namespace

int RunText(const std::vector<std::string>& args) {
  TextOptions o;
  if (!Parse(args, o)) {
    std::cerr << kUsage;
    return 1;
  }
  std::unique_ptr<FontRasteriser> fonts;
  if (o.test_fonts)
    fonts = std::make_unique<TestFontRasteriser>();
  else
    fonts = std::make_unique<FreeTypeRasteriser>();
  TFontPixelManager glyphs(*fonts);
  glyphs.SetAntialiasLevel(o.level);
  const auto style = static_cast<uint8_t>(o.style);

  // Each character gets a cell of its advance, widened by the border on both
  // sides and by the shadow; lines are the size plus the same.
  const int32_t pad = 2 * o.border + o.shadow;
  const int32_t line_height = o.size + pad;
  const auto lines = Lines(o.text);
  int64_t widest = 0;
  for (const auto& line : lines) {
    int64_t width = 0;
    for (uint16_t code : line) width += glyphs.GetGlyph(code, o.font, style, o.size)->Advance() + pad;
    widest = std::max(widest, width);
  }
  const LayerSize size = CapLayerSize(std::max<int64_t>(widest, 1), int64_t{line_height} * lines.size());
  TDIBX colour, coverage;
  colour.SetSize(size.width, size.height, 32);
  coverage.SetSize(size.width, size.height, 8);
  colour.Clear(0);
  coverage.Clear(0);

  TCellStyle cell_style;
  cell_style.border = o.border;
  cell_style.shadow = o.shadow;
  cell_style.text_color = static_cast<uint32_t>(colour.ColorToPixel(kTextColor));
  cell_style.border_color = static_cast<uint32_t>(colour.ColorToPixel(kBorderColor));
  cell_style.shadow_color = static_cast<uint32_t>(colour.ColorToPixel(kShadowColor));
  std::printf("code    advance left top  width height rest  touched\n");
  for (std::size_t row = 0; row < lines.size(); ++row) {
    int32_t x = 0;
    const int32_t y = static_cast<int32_t>(row) * line_height;
    for (std::size_t i = 0; i < lines[row].size(); ++i) {
      const uint16_t code = lines[row][i];
      std::shared_ptr<const TFontPixel> g = glyphs.GetGlyph(code, o.font, style, o.size);
      cell_style.first_in_run = i == 0;
      cell_style.last_in_run = i + 1 == lines[row].size();
      const int32_t cell_width = g->Advance() + pad;
      const TRect touched = g->DrawCell(colour, coverage, Bounds(x, y, cell_width, o.size), cell_style);
      std::printf("%04X  %7d %4d %4d %5d %6d %4d  (%d,%d)-(%d,%d)\n", code, g->Advance(), g->GlyphLeft,
                  g->GlyphTop, g->Width(), g->Height(), g->AdvanceRest, touched.Left, touched.Top,
                  touched.Right, touched.Bottom);
      x += cell_width;
    }
  }

  // Composed as the player shows text: plain cells fill the text colour
  // through the coverage, others draw the colour layer through it.
  TDIBX picture;
  picture.SetSize(size.width, size.height, 32);
  picture.Clear(kBackground);
  if (o.border == 0 && o.shadow == 0)
    picture.FillMask(0, 0, 255, static_cast<uint32_t>(picture.ColorToPixel(kTextColor)), false, false,
                     coverage.GetBounds(), coverage);
  else
    picture.DrawMask(0, 0, coverage, false, false, colour.GetBounds(), colour);
  const std::string png = WritePictureFile(picture.Store(), TPictureFormat::kPng);
  std::ofstream out(o.out, std::ios::binary | std::ios::trunc);
  if (!out.write(png.data(), static_cast<std::streamsize>(png.size())) || !out.flush()) {
    std::cerr << "rivotool text: " << o.out << ": cannot write\n";
    return 2;
  }
  return 0;
}

}  // namespace rivo::tools

// Glyphs of any code, face, size, style and antialias level from the glyph
// cache, drawn into cells anywhere on small layers with any border, shadow
// and clip. Runs on the installed fonts and on the test rasteriser; nothing
// may throw or touch memory outside a layer.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "common/encoding.h"
#include "platform/freetype_rasteriser.h"
#include "platform/headless/test_font_rasteriser.h"
#include "text/font_pixel_manager.h"

namespace {

using namespace rivo;

int32_t Coordinate(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 9)) {
    case 0: return in.ConsumeIntegral<int32_t>();
    case 1: return in.ConsumeIntegralInRange(-5000, 5000);
    default: return in.ConsumeIntegralInRange(-40, 100);
  }
}

int32_t Size(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 15)) {
    case 0: return in.ConsumeIntegral<int32_t>();
    case 1: return in.ConsumeIntegralInRange(-64, 0);
    default: return in.ConsumeIntegralInRange(1, 48);
  }
}

const std::string& Face(FuzzedDataProvider& in) {
  static const std::string faces[] = {Utf8ToCp932("ＭＳ ゴシック"), Utf8ToCp932("ＭＳ Ｐ明朝"),
                                      "NoSuchFace", "", "\x82"};
  return faces[in.ConsumeIntegralInRange<std::size_t>(0, std::size(faces) - 1)];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TestFontRasteriser test_fonts;
  static FreeTypeRasteriser installed_fonts;
  static TFontPixelManager test_cache(test_fonts);
  static TFontPixelManager installed_cache(installed_fonts);

  FuzzedDataProvider in(data, size);
  // The installed fonts are slow to size and hint: one input in four uses them.
  TFontPixelManager& cache = in.ConsumeIntegralInRange(0, 3) == 0 ? installed_cache : test_cache;
  TDIBX colour, coverage;
  const int32_t w = in.ConsumeIntegralInRange(0, 96), h = in.ConsumeIntegralInRange(0, 64);
  colour.SetSize(w, h, 32);
  coverage.SetSize(w, h, 8);
  if (in.ConsumeBool()) {
    const TRect clip{Coordinate(in), Coordinate(in), Coordinate(in), Coordinate(in)};
    colour.SetClipRect(clip);
    coverage.SetClipRect(clip);
  }
  for (int glyphs = 0; glyphs < 8 && in.remaining_bytes() > 0; ++glyphs) {
    cache.SetAntialiasLevel(in.ConsumeIntegralInRange(-2, 5));
    const auto code = in.ConsumeIntegral<uint16_t>();
    const std::string& face = Face(in);
    const auto style = in.ConsumeIntegral<uint8_t>();
    const int32_t font_size = Size(in);
    std::shared_ptr<const TFontPixel> glyph = cache.GetGlyph(code, face, style, font_size);
    TCellStyle cell_style;
    cell_style.border = in.ConsumeIntegralInRange(-2, 4);
    cell_style.shadow = in.ConsumeBool() ? in.ConsumeIntegral<int32_t>() : in.ConsumeIntegralInRange(0, 4);
    cell_style.first_in_run = in.ConsumeBool();
    cell_style.last_in_run = in.ConsumeBool();
    cell_style.text_color = in.ConsumeIntegral<uint32_t>() & 0xFFFFFF;
    cell_style.border_color = in.ConsumeIntegral<uint32_t>() & 0xFFFFFF;
    cell_style.shadow_color = in.ConsumeIntegral<uint32_t>() & 0xFFFFFF;
    const TRect cell{Coordinate(in), Coordinate(in), Coordinate(in), Coordinate(in)};
    glyph->DrawCell(colour, coverage, cell, cell_style);
  }
  return 0;
}

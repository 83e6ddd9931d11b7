#include "platform/headless/test_font_rasteriser.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace rivo {
namespace {

constexpr int32_t kDefaultHeight = 12;

class TestFont final : public RasterFont {
 public:
  explicit TestFont(const FontRequest& request) : style_(request.style) {
    int32_t h = request.height == 0 ? kDefaultHeight : std::abs(request.height);
    h = std::clamp(h, 1, kMaxFontHeight);
    metrics_.height = h;
    metrics_.descent = h / 5;
    metrics_.ascent = h - metrics_.descent;
    metrics_.average_width = std::max(1, h / 2);
    metrics_.max_width = h + 1;
    metrics_.weight = (style_ & FS_BOLD) ? 700 : 400;
    metrics_.italic = (style_ & FS_ITALIC) != 0;
    metrics_.fixed_pitch = true;
    metrics_.em_square = 1000;
    metrics_.underscore_size = std::max(1, h / 12);
    metrics_.underscore_position = -std::max(1, metrics_.descent / 2);
    metrics_.strikeout_size = std::max(1, h / 12);
    metrics_.strikeout_position = metrics_.ascent / 3;
    identity_ = "test|" + std::to_string(h) + '|' + std::to_string(style_);
  }

  const FontMetrics& Metrics() const override { return metrics_; }
  // The glyphs follow from the code, the height and the style alone.
  std::string_view Identity() const override { return identity_; }

  bool Render(uint16_t code, int32_t level, RasterGlyph& out) override {
    out = RasterGlyph{};
    out.advance = Advance(code);
    if (!HasOutline(code)) return true;
    const AbcWidths abc = CharAbcWidths(code);
    out.width = abc.b;
    out.height = std::max(1, metrics_.ascent - code % 4);
    out.origin_x = abc.a;
    out.origin_y = metrics_.ascent - code % 3;
    out.abc = abc;
    const int32_t levels = MaxRawLevel(level) + 1;
    out.levels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int32_t y = 0; y < out.height; ++y)
      for (int32_t x = 0; x < out.width; ++x)
        out.levels[static_cast<std::size_t>(y) * out.width + x] =
            static_cast<uint8_t>((x + 2 * y + code + style_) % levels);
    return true;
  }

  int32_t TextWidth(uint16_t code) override { return Advance(code); }

  AbcWidths CharAbcWidths(uint16_t code) override {
    AbcWidths abc;
    const int32_t advance = Advance(code);
    if (HasOutline(code)) {
      abc.a = code % 2;
      abc.b = std::max(1, advance - 1 - code % 3) + ((style_ & FS_BOLD) ? 1 : 0);
    }
    abc.c = advance - abc.a - abc.b;
    return abc;
  }

 private:
  static bool HasOutline(uint16_t code) { return code > 0x20 && code != 0x8140 && code != 0x7F; }
  int32_t Advance(uint16_t code) const {
    const int32_t h = metrics_.height;
    return (code >= 0x100 ? h : std::max(1, h / 2)) + ((style_ & FS_BOLD) ? 1 : 0);
  }

  uint8_t style_;
  FontMetrics metrics_;
  std::string identity_;
};

}  // namespace

std::shared_ptr<RasterFont> TestFontRasteriser::Open(const FontRequest& request) {
  return std::make_shared<TestFont>(request);
}

std::vector<std::string> TestFontRasteriser::InstalledFamilies(bool) { return {"Rivo Test Gothic"}; }

}  // namespace rivo

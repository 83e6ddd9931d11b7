#include "platform/toolbar_picture.h"

#include <algorithm>
#include <vector>

#include "common/encoding.h"
#include "common/sjis.h"

namespace rivo {
namespace {

// The greys of a plain Windows tool bar: face, button face and its border.
constexpr uint32_t kToolbarFace = 0xF0;
constexpr uint32_t kButtonFace = 0xE1;
constexpr uint32_t kButtonBorder = 0xAD;
// Captions use the system's small UI size, 9 points: a 12-pixel em.
constexpr int32_t kCaptionEm = 12;
// 65 grey levels: smooth edges at every scale.
constexpr int32_t kCaptionAntialias = 3;

uint32_t Grey(uint32_t level) { return level << 16 | level << 8 | level; }

void Fill(FrameBuffer& picture, const DisplayRect& r, uint32_t grey) {
  for (int32_t y = std::max(r.Top, 0); y < std::min(r.Bottom, picture.height); ++y)
    for (int32_t x = std::max(r.Left, 0); x < std::min(r.Right, picture.width); ++x) picture.At(x, y) = Grey(grey);
}

}  // namespace

const FrameBuffer& ToolbarPicture::Draw(const Viewport& v, ToolbarButton pressed) {
  const Key key{v.toolbar.Width(), v.toolbar.Height(), v.toolbar_scale, pressed};
  if (drawn_ == key) return picture_;
  drawn_ = key;
  picture_ = FrameBuffer(std::max(0, key.width), std::max(0, key.height));
  Fill(picture_, picture_.Bounds(), kToolbarFace);
  RasterFont* font = CaptionFont(v.toolbar_scale);
  const int32_t k = v.toolbar_scale;
  for (ToolbarButton b : {ToolbarButton::kQuit, ToolbarButton::kToggleFullScreen}) {
    DisplayRect r = v.ButtonRect(b);
    r = {r.Left - v.toolbar.Left, r.Top - v.toolbar.Top, r.Right - v.toolbar.Left, r.Bottom - v.toolbar.Top};
    Fill(picture_, r, kButtonBorder);
    Fill(picture_, {r.Left + k, r.Top + k, r.Right - k, r.Bottom - k}, b == pressed ? kButtonBorder : kButtonFace);
    if (font) DrawCaption(picture_, r, b == ToolbarButton::kQuit ? "終了" : "画面切替", *font);
  }
  return picture_;
}

RasterFont* ToolbarPicture::CaptionFont(int32_t scale) {
  if (fonts_ && font_scale_ != scale) {
    font_scale_ = scale;
    font_ = fonts_->Open({.face = Utf8ToCp932("ＭＳ Ｐゴシック"), .height = -kCaptionEm * scale});
  }
  return font_.get();
}

// Centred on the button; a caption with a character the font cannot draw
// is left out whole rather than shown in part.
void ToolbarPicture::DrawCaption(FrameBuffer& picture, const DisplayRect& button, const char* caption_utf8,
                                 RasterFont& font) {
  std::vector<RasterGlyph> glyphs;
  int32_t width = 0;
  for (uint16_t code : sjis::CharCodes(Utf8ToCp932(caption_utf8))) {
    RasterGlyph& glyph = glyphs.emplace_back();
    if (!font.Render(code, kCaptionAntialias, glyph)) return;
    width += glyph.advance;
  }
  const FontMetrics& m = font.Metrics();
  const int32_t top_level = MaxRawLevel(kCaptionAntialias);
  int32_t pen = button.Left + (button.Width() - width) / 2;
  const int32_t baseline = button.Top + (button.Height() - m.height) / 2 + m.ascent;
  for (const RasterGlyph& glyph : glyphs) {
    for (int32_t y = 0; y < glyph.height; ++y) {
      for (int32_t x = 0; x < glyph.width; ++x) {
        const int32_t px = pen + glyph.origin_x + x, py = baseline - glyph.origin_y + y;
        if (!button.Contains(px, py) || !picture.Bounds().Contains(px, py)) continue;
        const uint32_t level = glyph.levels[static_cast<std::size_t>(y) * glyph.width + x];
        // Black text over the grey beneath it.
        const uint32_t under = picture.At(px, py) & 0xFF;
        picture.At(px, py) = Grey(under * (top_level - level) / top_level);
      }
    }
    pen += glyph.advance;
  }
}

}  // namespace rivo

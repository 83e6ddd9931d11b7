#pragma once
// The tool bar strip of a window: its face, the "終了" and "画面切替"
// buttons with their captions, one pressed or none. Drawn into pixels of
// its own so that every back end shows the same picture and tests can look
// at it without a display.
//
// Captions are drawn with the installed Japanese font the game's text uses
// by default; without one the buttons stay plain, which is still usable.

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/font_rasteriser.h"
#include "platform/frame_buffer.h"
#include "platform/viewport.h"

namespace rivo {

class ToolbarPicture {
 public:
  // fonts: where the captions' font comes from; nullptr draws no captions.
  explicit ToolbarPicture(FontRasteriser* fonts) : fonts_(fonts) {}

  // The strip as v places it (v.toolbar's size, buttons at their places
  // within it), drawn anew only when its size, scale or pressed button change.
  const FrameBuffer& Draw(const Viewport& v, ToolbarButton pressed);

 private:
  struct Key {
    int32_t width, height, scale;
    ToolbarButton pressed;
    bool operator==(const Key&) const = default;
  };
  RasterFont* CaptionFont(int32_t scale);
  void DrawCaption(FrameBuffer& picture, const DisplayRect& button, const char* caption_utf8, RasterFont& font);

  FontRasteriser* fonts_;
  std::shared_ptr<RasterFont> font_;
  int32_t font_scale_ = 0;  // the scale font_ was opened for; 0: none tried yet
  std::optional<Key> drawn_;
  FrameBuffer picture_;
};

}  // namespace rivo

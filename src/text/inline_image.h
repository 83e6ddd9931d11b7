#pragma once
// Pictures inside text (the IMG tag). The text engine measures, reveals,
// animates and draws them; the pictures come from the image cache, which
// belongs to the object layer above: it hands the word an
// InlineImageSource.

#include <cstdint>
#include <memory>
#include <string_view>

#include "graphics/custom_dibx.h"

namespace rivo {

class InlineImage {
 public:
  virtual ~InlineImage() = default;
  // The first frame's size.
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  // More than one frame: the picture animates once revealed.
  virtual bool Animated() const = 0;
  // Advances the animation by ms; true when another frame shows.
  virtual bool Advance(int32_t ms) = 0;
  // The shown frame with its top-left corner at (x, y), at the opacity code
  // alpha (1-254 blend, 255 copy, 256-511 add), through the frame's mask or
  // else its transparent colour.
  virtual void Draw(TCustomDIBX& surface, int32_t x, int32_t y, int32_t alpha) const = 0;
};

class InlineImageSource {
 public:
  virtual ~InlineImageSource() = default;
  // The picture of a content file; nullptr when the game does not have it.
  virtual std::unique_ptr<InlineImage> Load(std::string_view source) = 0;
};

}  // namespace rivo

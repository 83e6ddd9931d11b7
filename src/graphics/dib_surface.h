#pragma once
// TDIBSurface: the pixel store of every memory surface, image frame and
// scratch picture. A TDIB with an optional 8-bit mask companion (0
// transparent ... 255 opaque, same size) and the raster operations that
// flatten image layers: fill, copy, keyed copy, opacity draw, mask-weighted
// draw, resampling and colour conversion.
//
// Drawing clips to this store; source rectangles are cut to the source (and
// its mask) and the destination moves with them. The source must have this
// store's bit count (palette pictures copy indices as they are); otherwise
// nothing is drawn.

#include <memory>

#include "graphics/dib.h"
#include "graphics/rect.h"

namespace rivo {

struct TRgb {
  uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const TRgb&, const TRgb&) = default;
};

class TDIBSurface : public TDIB {
 public:
  TDIBSurface() = default;
  TDIBSurface(const TDIBSurface& other);
  TDIBSurface& operator=(const TDIBSurface& other);
  TDIBSurface(TDIBSurface&&) noexcept = default;
  TDIBSurface& operator=(TDIBSurface&&) noexcept = default;

  TRect GetBounds() const { return {0, 0, Width(), Height()}; }

  // Also resizes the mask companion; new mask values are 0.
  void SetSize(int32_t width, int32_t height, int32_t bit_count);
  // The picture's pixels as TDIB::SetSizeForOverwrite leaves them; the mask
  // companion as SetSize.
  void SetSizeForOverwrite(int32_t width, int32_t height, int32_t bit_count);
  // Also frees the mask companion.
  void Clear();
  // A bitmap file replaces the picture and frees the mask companion.
  void LoadFromStream(std::string_view bytes, const std::string& name);

  bool HasMask() const { return mask_ != nullptr; }
  TDIBSurface* Mask() { return mask_.get(); }
  const TDIBSurface* Mask() const { return mask_.get(); }
  // Creates the companion (all 0) or sizes it to the picture.
  TDIBSurface& CreateMask();
  void FreeMask() { mask_.reset(); }
  void FillMaskOpaque();
  // CreateMask, then the rows of source (an 8-bit store of this size) byte for byte.
  void CopyMaskFrom(const TDIBSurface& source);
  // A 32-bit picture whose fourth bytes are not all 0 gets them as its mask
  // and the bytes are cleared; returns whether a mask was made. All-zero
  // fourth bytes mean "no mask", not "invisible".
  bool TakeFourthByteAsMask();

  // rect is cut to the store; value is reduced to the format.
  void FillRect(const TRect& rect, uint32_t value);
  void CopyRect(int32_t x, int32_t y, const TRect& source_rect, const TDIBSurface& source);
  void Copy(int32_t x, int32_t y, const TDIBSurface& source) {
    CopyRect(x, y, source.GetBounds(), source);
  }
  // Writes the source pixels that differ from key (-1: every pixel).
  void CopyKeyed(int32_t x, int32_t y, int64_t key, const TRect& source_rect,
                 const TDIBSurface& source);
  // Opacity 0 draws nothing, >= 255 (or < 0) is a keyed copy. Palette
  // pictures dither (level opacity div 16 on a 4 x 4 ordered matrix anchored
  // to this store); 16 and 24 bits blend dividing by 255, 32 bits shifting by
  // 8 (the fourth byte becomes 0).
  void DrawOpacity(int32_t x, int32_t y, int32_t opacity, int64_t key, const TRect& source_rect,
                   const TDIBSurface& source);
  // Each pixel weighed by the source's mask; without one, DrawOpacity with no key.
  void DrawThroughMask(int32_t x, int32_t y, int32_t opacity, const TRect& source_rect,
                       const TDIBSurface& source);

  // This store becomes a copy of source at its effective bit count, with its
  // palette and mask companion.
  void CopyPicture(const TDIBSurface& source);

  // Nearest palette index (palette pictures) or the packed value.
  uint32_t ColorToValue(uint32_t r, uint32_t g, uint32_t b) const;
  // With expand, non-zero 5- and 6-bit components get their empty low bits set.
  TRgb ValueToColor(uint32_t value, bool expand) const;

  // New size W' x H'. Smooth: bilinear when enlarging in either direction,
  // else a box average that skips pixels equal to key (-1: none); palette
  // and 16-bit pictures pass through 24 bits and come back. Not smooth:
  // nearest pixel. The mask companion is resampled alike (key -1).
  void Resample(int32_t width, int32_t height, int64_t key, bool smooth);

 private:
  std::unique_ptr<TDIBSurface> mask_;
};

}  // namespace rivo

#include "graphics/frame_surface.h"

#include <cstdint>
#include <cstring>

namespace rivo {

void CopyFrameToSurface(const TOrbaFrame& frame, TDIBX& surface) {
  const TDIBSurface& picture = frame.surface;
  surface.FirstRects() = frame.first_rects;
  surface.SecondRects() = frame.second_rects;
  if (surface.BitCount() != 32) {
    surface.CopyFromPicture(picture);
    return;
  }
  // Every byte of every row is written below (32-bit rows have no padding).
  surface.SetSizeForOverwrite(picture.Width(), picture.Height(), 32);
  if (surface.IsEmpty()) return;
  const int32_t width = picture.Width(), bits = picture.BitCount();
  TDIBSurface& store = surface.Store();
  uint8_t* out_row = store.MutableBits();
  for (int32_t y = 0; y < picture.Height(); ++y, out_row += store.Pitch()) {
    const uint8_t* in = picture.ScanLine(y);
    uint8_t* out = out_row;
    if (bits == 32) {
      std::memcpy(out, in, static_cast<std::size_t>(width) * 4);
      for (int32_t x = 0; x < width; ++x) out[4 * x + 3] = 0;
    } else if (bits == 24) {
      // One store a pixel: about twice as fast as four byte stores.
      for (int32_t x = 0; x < width; ++x, in += 3, out += 4) {
        const uint32_t pixel = in[0] | uint32_t{in[1]} << 8 | uint32_t{in[2]} << 16;
        std::memcpy(out, &pixel, 4);
      }
    } else {
      for (int32_t x = 0; x < width; ++x, out += 4) {
        const TRgb c = picture.ValueToColor(RowPixel(in, x, bits), true);
        out[0] = c.blue;
        out[1] = c.green;
        out[2] = c.red;
        out[3] = 0;
      }
    }
  }
}

void CopyMaskToSurface(const TOrbaFrame& frame, TDIBX& mask) {
  const TDIBSurface& picture = frame.surface;
  // Every byte of every row is written below, the rows' padding included.
  mask.SetSizeForOverwrite(picture.Width(), picture.Height(), 8);
  if (mask.IsEmpty()) return;
  TDIBSurface& store = mask.Store();
  const auto width = static_cast<std::size_t>(picture.Width());
  const auto padding = static_cast<std::size_t>(store.RowLength()) - width;
  for (int32_t y = 0; y < picture.Height(); ++y) {
    uint8_t* out = store.ScanLine(y);
    if (picture.HasMask()) std::memcpy(out, picture.Mask()->ScanLine(y), width);
    else std::memset(out, 0, width);
    std::memset(out + width, 0, padding);
  }
}

}  // namespace rivo

#include "graphics/picture_file.h"

#include "common/error.h"
#include "graphics/bmp_codec.h"
#include "graphics/png_codec.h"

namespace rivo {

TDIBSurface ReadPictureFile(std::string_view bytes, const std::string& name) {
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "BM") {
    TDIBSurface picture;
    picture.LoadFromStream(bytes, name);
    picture.TakeFourthByteAsMask();
    return picture;
  }
  if (!LooksLikePng(bytes)) throw LoadError(name, "not a BMP, DIB or PNG picture");
  TPngPicture png = ReadPng(bytes, name);
  TDIBSurface& picture = png.surface;
  if (png.transparent_value >= 0 && !picture.HasMask()) {
    TDIBSurface& mask = picture.CreateMask();
    for (int32_t y = 0; y < picture.Height(); ++y)
      for (int32_t x = 0; x < picture.Width(); ++x)
        mask.WritePixel(x, y, picture.ReadPixel(x, y) == png.transparent_value ? 0 : 255);
  }
  return std::move(png.surface);
}

std::string WritePictureFile(const TDIBSurface& picture, TPictureFormat format) {
  if (format == TPictureFormat::kPng) return WritePng(picture);
  if (!picture.HasMask()) return WriteBitmapFile(picture);
  TDIB with_alpha = picture;
  with_alpha.SetBitCount(32);
  for (int32_t y = 0; y < picture.Height(); ++y) {
    uint8_t* row = with_alpha.ScanLine(y);
    const uint8_t* mask = picture.Mask()->ScanLine(y);
    for (int32_t x = 0; x < picture.Width(); ++x) row[4 * x + 3] = mask[x];
  }
  return WriteBitmapFile(with_alpha);
}

}  // namespace rivo

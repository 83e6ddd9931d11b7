#include "graphics/wipe_grey_plane.h"

namespace rivo {

uint8_t GreyLevel(TRgb c) {
  // The sum's remainder by 3 is never a half: adding 1 rounds to nearest.
  return static_cast<uint8_t>((uint32_t{c.red} + c.green + c.blue + 1) / 3);
}

std::vector<int16_t> WipeGreyOffsets(const TWipeMaskSource* masks, const std::string& name,
                                     bool reverse, int32_t width, int32_t height) {
  std::vector<int16_t> plane(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  if (masks == nullptr || name.empty()) return plane;
  const std::optional<TDIBSurface> picture = masks->FindMaskPicture(name);
  // An empty picture would tile forever; it counts as missing.
  if (!picture || picture->IsEmpty()) return plane;
  const int32_t pw = picture->Width(), ph = picture->Height();
  std::vector<int16_t> tile(static_cast<std::size_t>(pw) * static_cast<std::size_t>(ph));
  for (int32_t y = 0; y < ph; ++y)
    for (int32_t x = 0; x < pw; ++x) {
      int32_t grey = GreyLevel(picture->ValueToColor(picture->ReadPixel(x, y), true));
      if (reverse) grey = 255 - grey;
      tile[static_cast<std::size_t>(y) * pw + x] = static_cast<int16_t>(grey - 255);
    }
  for (int32_t y = 0; y < height; ++y) {
    const int16_t* source = &tile[static_cast<std::size_t>(y % ph) * pw];
    int16_t* row = &plane[static_cast<std::size_t>(y) * width];
    for (int32_t x = 0; x < width; ++x) row[x] = source[x % pw];
  }
  return plane;
}

}  // namespace rivo

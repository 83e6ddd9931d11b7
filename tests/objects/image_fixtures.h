#pragma once
// Pictures for the image control tests: layered images made at test time
// by our own writer, served to a screen's image cache from a table.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "graphics/orba_collection.h"
#include "graphics/orba_frame_list.h"
#include "object_fixtures.h"

namespace rivo::test {

class PictureTable : public TImageFileSource {
 public:
  std::optional<std::string> ReadImageFile(const std::string& name) override {
    for (const auto& [file, bytes] : files)
      if (sjis::SameText(file, name)) return bytes;
    return std::nullopt;
  }
  std::map<std::string, std::string> files;
};

// One frame: its size, its pixels (native 0x00RRGGBB) and optionally its
// mask values; delay in milliseconds.
struct FrameSpec {
  int32_t width = 1, height = 1;
  std::function<uint32_t(int32_t x, int32_t y)> pixel;
  std::function<uint8_t(int32_t x, int32_t y)> mask;  // none when empty
  int32_t delay = 100;
};

inline std::string LayeredImage(const std::vector<FrameSpec>& frames) {
  TOrbaFrameList list;
  for (const FrameSpec& spec : frames) {
    TOrbaFrame& f = list.AddFrame();
    f.surface.SetSize(spec.width, spec.height, 24);
    if (spec.mask) f.surface.CreateMask();
    for (int32_t y = 0; y < spec.height; ++y)
      for (int32_t x = 0; x < spec.width; ++x) {
        f.surface.WritePixel(x, y, spec.pixel(x, y));
        if (spec.mask) f.surface.Mask()->WritePixel(x, y, spec.mask(x, y));
      }
    f.delay = spec.delay;
  }
  return list.SaveToStream();
}

// A frame of one colour.
inline FrameSpec Solid(int32_t width, int32_t height, uint32_t pixel, int32_t delay = 100) {
  return {width, height, [pixel](int32_t, int32_t) { return pixel; }, {}, delay};
}

// A screen with an image cache over a picture table and a back buffer.
struct ImageScreen : Screen {
  explicit ImageScreen(int32_t width = 64, int32_t height = 48) {
    screen.SetImages(&cache);
    screen.SetWidth(width);
    screen.SetHeight(height);
    back.SetSize(width, height, 32);
    screen.SetBackBuffer(&back);
    screen.ActiveBase().SetColor(0);
  }
  ~ImageScreen() { screen.Reset(); }  // the objects let their pictures go before the cache
  void Add(const std::string& name, const std::vector<FrameSpec>& frames) { pictures.files[name] = LayeredImage(frames); }
  // Composes what changed.
  void Compose() {
    screen.Draw();
    screen.ClearDirty();
  }
  uint32_t At(int32_t x, int32_t y) const { return back.GetPixel(x, y); }

  PictureTable pictures;
  TOrbaCollection cache{pictures};
  TDIBX back;
};

}  // namespace rivo::test

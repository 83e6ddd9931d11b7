#pragma once
// Pictures and helpers for the transition tests: a fixed pair of pictures
// (a checkerboard with gradients, and diagonal stripes), a grey mask
// picture, mask sources, and a hash of a frame's pixels.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "graphics/custom_wipe.h"
#include "graphics/dibx.h"
#include "graphics/wipe_start.h"

namespace rivo::testing {

inline uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
  return (r & 255) << 16 | (g & 255) << 8 | (b & 255);
}

// The old picture: a checkerboard of 16-pixel squares in red over green
// and blue ramps.
inline std::unique_ptr<TDIBX> OldPicture(int32_t w, int32_t h) {
  auto s = std::make_unique<TDIBX>();
  s->SetSize(w, h, 32);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      s->SetPixel(x, y,
                  Rgb(((x / 16 + y / 16) & 1) ? 200 : 40, y * 4, w > 1 ? x * 255 / (w - 1) : 0));
  return s;
}

// The new picture: diagonal stripes over bands of blue.
inline std::unique_ptr<TDIBX> NewPicture(int32_t w, int32_t h) {
  auto s = std::make_unique<TDIBX>();
  s->SetSize(w, h, 32);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      s->SetPixel(x, y, Rgb((x + y) * 2, 255 - x * 2, 128 + ((y & 16) ? 100 : 0)));
  return s;
}

// A 32 x 32 grey ramp for the mask-picture wipes.
inline TDIBSurface MaskPicture() {
  TDIBSurface s;
  s.SetSize(32, 32, 32);
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 0; x < 32; ++x) {
      const uint32_t g = static_cast<uint32_t>(x * 7 + y * 3) % 256;
      s.WritePixel(x, y, Rgb(g, g, g));
    }
  return s;
}

// Pictures by name; other names are missing.
class NamedMasks : public TWipeMaskSource {
 public:
  std::map<std::string, TDIBSurface> pictures;
  std::optional<TDIBSurface> FindMaskPicture(const std::string& name) const override {
    const auto it = pictures.find(name);
    if (it == pictures.end()) return std::nullopt;
    return it->second;
  }
};

// FNV-1a over the rows' bytes.
inline uint64_t FrameHash(const TDIBX& s) {
  uint64_t h = 14695981039346656037ull;
  for (int32_t y = 0; y < s.Height(); ++y) {
    const uint8_t* row = s.Store().ScanLine(y);
    for (int32_t i = 0; i < s.Width() * 4; ++i) h = (h ^ row[i]) * 1099511628211ull;
  }
  return h;
}

// A screen with its two pictures and the wipe between them.
struct WipeStage {
  std::unique_ptr<TDIBX> old_picture, new_picture;
  TDIBX screen;
  NamedMasks masks;
  std::unique_ptr<TCustomWipe> wipe;

  WipeStage(int32_t w, int32_t h) : old_picture(OldPicture(w, h)), new_picture(NewPicture(w, h)) {
    screen.SetSize(w, h, 32);
    masks.pictures["mask"] = MaskPicture();
  }
  // Starts the wipe as a Flip does, with the default parameters.
  TCustomWipe* Start(const TWipeRequest& request, uint32_t seed = 7) {
    TWipeDefaults defaults;
    defaults.SetScreenSize(screen.Width(), screen.Height());
    wipe = StartWipe(request, defaults, screen, *new_picture, *old_picture,
                     TWipeEnvironment{&masks, seed});
    return wipe.get();
  }
  // The frame at t. (Mask wipes leave the screen as it is while their
  // phase stays, so the screen is not cleared in between.)
  uint64_t FrameAt(int32_t t) {
    wipe->SetTime(t);
    wipe->Step();
    return FrameHash(screen);
  }
};

}  // namespace rivo::testing

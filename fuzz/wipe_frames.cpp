// Every transition code (and codes beside the table) on screens of 1 x 1,
// 3 x 2, 11 x 7 and 640 x 480, durations 1, 2 and 1000, times 0, T/2 and
// T - 1, parameters -5, 0, 1, 2, 10^6 and extremes, reversed or not, with a
// missing or empty mask picture or one read from the input's remaining
// bytes as a picture file. No step may crash or touch memory outside the
// pictures; the run's per-input time limit bounds each case.

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "common/error.h"
#include "graphics/picture_file.h"
#include "graphics/wipe_start.h"

namespace {

using namespace rivo;

class FuzzMasks : public TWipeMaskSource {
 public:
  std::optional<TDIBSurface> picture;
  std::optional<TDIBSurface> FindMaskPicture(const std::string&) const override { return picture; }
};

std::unique_ptr<TDIBX> Picture(int32_t w, int32_t h, uint32_t salt) {
  auto s = std::make_unique<TDIBX>();
  s->SetSize(w, h, 32);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      s->SetPixel(x, y, (static_cast<uint32_t>(x * 7 + y * 131) ^ salt) & 0xFFFFFF);
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  constexpr int32_t kSizes[4][2] = {{1, 1}, {3, 2}, {11, 7}, {640, 480}};
  constexpr int32_t kDurations[3] = {1, 2, 1000};
  constexpr int32_t kParams[7] = {-5, 0, 1, 2, 1000000, INT_MIN, INT_MAX};

  TWipeRequest request;
  request.code = in.ConsumeIntegralInRange(-1, 39);
  const auto& size_pair = kSizes[in.ConsumeIntegralInRange(0, 3)];
  request.duration = kDurations[in.ConsumeIntegralInRange(0, 2)];
  const int32_t T = request.duration;
  const int32_t times[3] = {0, T / 2, T - 1};
  const int32_t t = times[in.ConsumeIntegralInRange(0, 2)];
  request.reverse = in.ConsumeBool();
  // Defaults set directly, then (maybe) the Flip's clamped overrides.
  const int32_t p0 = kParams[in.ConsumeIntegralInRange(0, 6)];
  const int32_t p1 = kParams[in.ConsumeIntegralInRange(0, 6)];
  const bool overrides = in.ConsumeBool();
  const int mask_kind = in.ConsumeIntegralInRange(0, 2);
  const uint32_t seed = in.ConsumeIntegral<uint32_t>();

  FuzzMasks masks;
  if (mask_kind == 1) masks.picture = TDIBSurface();
  if (mask_kind == 2) {
    try {
      masks.picture = ReadPictureFile(in.ConsumeRemainingBytesAsString(), "mask");
    } catch (const LoadError&) {
    }
  }
  request.mask_name = "mask";
  if (overrides) request.p0 = p0, request.p1 = p1;

  const int32_t w = size_pair[0], h = size_pair[1];
  const auto old_picture = Picture(w, h, 0x00FF00), new_picture = Picture(w, h, 0xFF00FF);
  TDIBX screen;
  screen.SetSize(w, h, 32);
  TWipeDefaults defaults;
  defaults.SetScreenSize(w, h);
  auto wipe = StartWipe(request, defaults, screen, *new_picture, *old_picture,
                        TWipeEnvironment{&masks, seed});
  if (!wipe) return 0;
  if (!overrides) {
    wipe->SetParams(p0, p1);
    wipe->Init();
  }
  wipe->SetTime(t);
  if (wipe->Step()) __builtin_trap();  // t < T always draws
  wipe->SetTime(T);
  if (!wipe->Step()) __builtin_trap();
  return 0;
}

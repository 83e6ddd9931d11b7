// One Step of every transition on an 800 x 600 screen (the time moves on at
// every iteration, so the mask wipes rebuild their mask each time), and in
// the same run the nearest pixman composite over the same screen:
//   fade                       old copied (PIXMAN_OP_SRC), then new PIXMAN_OP_OVER with a
//                              solid mask (constant alpha): the whole frame
//   every mask wipe            PIXMAN_OP_OVER through an a8 mask
//   small, big                 PIXMAN_OP_OVER with a rotating and scaling transform
//   zoom-in, mosaic            PIXMAN_OP_SRC with a scaling transform
// FadeInTwoSteps is the fade's frame drawn as a copy then a blend, as it was
// before the fade took one pass. At the end the table of Step times and,
// where a peer exists, our time / pixman's time. A frame tick is 15 ms.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <numbers>
#include <string>

#include "bench/timed_reporter.h"
#include "graphics/wipe_codes.h"
#include "graphics/wipe_start.h"

#ifdef RIVO_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace {

using namespace rivo;

constexpr int32_t kWidth = 800, kHeight = 600, kDuration = 1000;

uint32_t Noise(uint32_t& state) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

// Smooth areas with some noise, like a picture.
std::unique_ptr<TDIBX> Picture(uint32_t seed) {
  auto s = std::make_unique<TDIBX>();
  s->SetSize(kWidth, kHeight, 32);
  for (int32_t y = 0; y < kHeight; ++y)
    for (int32_t x = 0; x < kWidth; ++x)
      s->SetPixel(
          x, y,
          (((x * seed / 7) << 16 | (y * 3) << 8 | (x + y)) & 0xFFFFFF) ^ (Noise(seed) & 0x070707));
  return s;
}

// A grey picture for the mask-picture wipes.
class BenchMasks : public TWipeMaskSource {
 public:
  std::optional<TDIBSurface> FindMaskPicture(const std::string&) const override {
    TDIBSurface s;
    s.SetSize(256, 256, 32);
    for (int32_t y = 0; y < 256; ++y)
      for (int32_t x = 0; x < 256; ++x)
        s.WritePixel(x, y, static_cast<uint32_t>((x ^ y) * 0x010101));
    return s;
  }
};

struct Stage {
  std::unique_ptr<TDIBX> old_picture = Picture(3), new_picture = Picture(11);
  TDIBX screen;
  BenchMasks masks;
  Stage() { screen.SetSize(kWidth, kHeight, 32); }
};

Stage& TheStage() {
  static Stage stage;
  return stage;
}

void BM_Step(benchmark::State& state, int32_t code) {
  Stage& s = TheStage();
  TWipeDefaults defaults;
  defaults.SetScreenSize(kWidth, kHeight);
  TWipeRequest request;
  request.code = code;
  request.duration = kDuration;
  request.mask_name = "mask";
  auto wipe = StartWipe(request, defaults, s.screen, *s.new_picture, *s.old_picture,
                        TWipeEnvironment{&s.masks, 1});
  int32_t t = 0;
  for (auto _ : state) {
    t = (t + 37) % kDuration;
    wipe->SetTime(t);
    benchmark::DoNotOptimize(wipe->Step());
  }
}

// The fade's frame as it was drawn before it took one pass: old copied to
// the screen, then new blended over the copy (the frame at t = T/2).
void BM_FadeInTwoSteps(benchmark::State& state) {
  Stage& s = TheStage();
  for (auto _ : state) {
    s.screen.Assign(*s.old_picture);
    s.screen.DrawAlpha(0, 0, 128, false, false, false, s.new_picture->GetBounds(), *s.new_picture);
  }
}

#ifdef RIVO_HAVE_PIXMAN

pixman_image_t* PixmanOf(TDIBX& s, pixman_format_code_t format) {
  return pixman_image_create_bits(format, s.Width(), s.Height(),
                                  reinterpret_cast<uint32_t*>(s.Store().MutableBits()),
                                  static_cast<int>(s.Store().Pitch()));
}

TDIBX& Mask() {
  static TDIBX mask;
  if (mask.Width() != kWidth) {
    mask.SetSize(kWidth, kHeight, 8);
    for (int32_t y = 0; y < kHeight; ++y)
      for (int32_t x = 0; x < kWidth; ++x)
        mask.SetPixel(x, y, static_cast<uint32_t>((x + y) & 0xFF));
  }
  return mask;
}

struct Pixman {
  Stage pictures;
  pixman_image_t* dest = PixmanOf(pictures.screen, PIXMAN_x8r8g8b8);
  pixman_image_t* source = PixmanOf(*pictures.new_picture, PIXMAN_x8r8g8b8);
  pixman_image_t* old = PixmanOf(*pictures.old_picture, PIXMAN_x8r8g8b8);
  pixman_image_t* mask = PixmanOf(Mask(), PIXMAN_a8);
  pixman_image_t* solid = nullptr;
  pixman_image_t* turned = PixmanOf(*pictures.new_picture, PIXMAN_x8r8g8b8);
  pixman_image_t* scaled = PixmanOf(*pictures.new_picture, PIXMAN_x8r8g8b8);

  Pixman() {
    const pixman_color_t alpha128 = {0, 0, 0, 0x8080};
    solid = pixman_image_create_solid_fill(&alpha128);
    // Destination to source: about the centre, turned by 30 degrees and
    // zoomed to one half (the middle of a shrinking wipe).
    const double theta = std::numbers::pi / 6;
    pixman_f_transform_t f;
    pixman_transform_t t;
    pixman_f_transform_init_translate(&f, -kWidth / 2.0, -kHeight / 2.0);
    pixman_f_transform_rotate(&f, nullptr, std::cos(-theta), std::sin(-theta));
    pixman_f_transform_scale(&f, nullptr, 2, 2);
    pixman_f_transform_translate(&f, nullptr, kWidth / 2.0, kHeight / 2.0);
    pixman_transform_from_pixman_f_transform(&t, &f);
    pixman_image_set_transform(turned, &t);
    pixman_image_set_filter(turned, PIXMAN_FILTER_NEAREST, nullptr, 0);
    // A quarter of the picture stretched over the screen (zoom-in halfway in).
    pixman_transform_init_scale(&t, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
    pixman_image_set_transform(scaled, &t);
    pixman_image_set_filter(scaled, PIXMAN_FILTER_NEAREST, nullptr, 0);
  }
};

Pixman& PixmanImages() {
  static Pixman pixman;
  return pixman;
}

void BM_Pixman(benchmark::State& state, pixman_op_t op, pixman_image_t* Pixman::*source,
               pixman_image_t* Pixman::*mask) {
  Pixman& p = PixmanImages();
  for (auto _ : state)
    pixman_image_composite32(op, p.*source, mask ? p.*mask : nullptr, p.dest, 0, 0, 0, 0, 0, 0,
                             kWidth, kHeight);
}

// A fade's whole frame: old copied to the screen, new drawn over it at a
// constant alpha.
void BM_PixmanFade(benchmark::State& state) {
  Pixman& p = PixmanImages();
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, p.old, nullptr, p.dest, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    pixman_image_composite32(PIXMAN_OP_OVER, p.source, p.solid, p.dest, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
  }
}

#endif

// The pixman composite each code is measured against, if any.
const char* PeerOf(int32_t code) {
  switch (code) {
    case WP_FADE:
      return "CopyThenOverConstantAlpha";
    case WP_BLINDH:
    case WP_BLINDV:
    case WP_CURTAINH:
    case WP_CURTAINV:
    case WP_GRID:
    case WP_GRIDH:
    case WP_GRIDV:
    case WP_DITHER:
    case WP_MASKFADE:
    case WP_CLOCKHAND:
    case WP_FAN:
    case WP_WFAN:
    case WP_CIRCLE:
    case WP_BLOCKCOIL:
    case WP_BLOCKRANDOM:
      return "OverA8Mask";
    case WP_SMALL:
    case WP_BIG:
      return "RotateScale";
    case WP_ZOOMIN:
    case WP_MOSAIC:
      return "Scale";
    default:
      return nullptr;
  }
}

// Prints the console report, then the Step table with the ratios.
class WipeReporter : public bench::TimedReporter {
 public:
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-16s %10s  %-26s %10s %7s\n", "wipe", "Step (us)", "pixman peer", "peer (us)",
                "ratio");
    for (int32_t code = 1; code < kWipeCodeCount; ++code) {
      const char* name = WipeCodeInfo(code)->name;
      const auto ours = times_.find(std::string("Step/") + name);
      if (ours == times_.end()) continue;
      const char* peer = PeerOf(code);
      const auto theirs = peer ? times_.find(std::string("Pixman/") + peer) : times_.end();
      if (theirs == times_.end()) {
        std::printf("%-16s %10.1f\n", name, ours->second);
        continue;
      }
      std::printf("%-16s %10.1f  %-26s %10.1f %7.2f\n", name, ours->second, peer, theirs->second,
                  ours->second / theirs->second);
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  for (int32_t code = 1; code < kWipeCodeCount; ++code)
    benchmark::RegisterBenchmark((std::string("Step/") + WipeCodeInfo(code)->name).c_str(), BM_Step,
                                 code)
        ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("FadeInTwoSteps", BM_FadeInTwoSteps)->Unit(benchmark::kMicrosecond);
#ifdef RIVO_HAVE_PIXMAN
  benchmark::RegisterBenchmark("Pixman/CopyThenOverConstantAlpha", BM_PixmanFade)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Pixman/OverConstantAlpha", BM_Pixman, PIXMAN_OP_OVER,
                               &Pixman::source, &Pixman::solid)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Pixman/OverA8Mask", BM_Pixman, PIXMAN_OP_OVER, &Pixman::source,
                               &Pixman::mask)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Pixman/RotateScale", BM_Pixman, PIXMAN_OP_OVER, &Pixman::turned,
                               nullptr)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Pixman/Scale", BM_Pixman, PIXMAN_OP_SRC, &Pixman::scaled, nullptr)
      ->Unit(benchmark::kMicrosecond);
#endif
  benchmark::Initialize(&argc, argv);
  WipeReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

// The drawing operations that compose every frame, on an 800 x 600 32-bit
// destination, each beside the nearest pixman composite in the same run:
//   Draw                 PIXMAN_OP_SRC
//   DrawAlpha 128        PIXMAN_OP_OVER with a solid mask of alpha 128
//   DrawMask             PIXMAN_OP_OVER with an a8 mask (a gradient: every value)
//   DrawMaskHardEdge     PIXMAN_OP_OVER with an a8 mask clear above a wavy
//                        skyline and covered below it (a picture's hard edge)
//   StretchDraw 2x       PIXMAN_OP_SRC with a nearest scaling transform
//   DrawRotate 30 deg    PIXMAN_OP_OVER with a nearest rotation transform
// At the end the table of our time / pixman's time is printed.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <numbers>
#include <string>

#include "bench/timed_reporter.h"
#include "graphics/dibx.h"

#ifdef RIVO_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace {

using namespace rivo;

constexpr int32_t kWidth = 800, kHeight = 600;
// 21/256 of a turn is the nearest to 30 degrees.
constexpr int32_t kAngle = 21;

uint32_t Noise(uint32_t& state) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

std::unique_ptr<TDIBX> Picture(int32_t w, int32_t h, uint32_t seed) {
  auto s = std::make_unique<TDIBX>();
  s->SetSize(w, h, 32);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) s->SetPixel(x, y, Noise(seed) & 0xFFFFFF);
  return s;
}

std::unique_ptr<TDIBX> Gradient(int32_t w, int32_t h) {
  auto s = std::make_unique<TDIBX>();
  s->SetSize(w, h, 8);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) s->SetPixel(x, y, static_cast<uint32_t>((x + y) & 0xFF));
  return s;
}

// 0 above a wavy line across the middle, 255 below it.
std::unique_ptr<TDIBX> Skyline(int32_t w, int32_t h) {
  auto s = std::make_unique<TDIBX>();
  s->SetSize(w, h, 8);
  for (int32_t x = 0; x < w; ++x) {
    const auto edge = static_cast<int32_t>(h / 2 + 40 * std::sin(x / 50.0));
    for (int32_t y = 0; y < h; ++y) s->SetPixel(x, y, y < edge ? 0u : 255u);
  }
  return s;
}

struct Ours {
  std::unique_ptr<TDIBX> dest = Picture(kWidth, kHeight, 1);
  std::unique_ptr<TDIBX> source = Picture(kWidth, kHeight, 2);
  std::unique_ptr<TDIBX> half = Picture(kWidth / 2, kHeight / 2, 3);
  std::unique_ptr<TDIBX> mask = Gradient(kWidth, kHeight);
  std::unique_ptr<TDIBX> skyline = Skyline(kWidth, kHeight);
};

Ours& OurSurfaces() {
  static Ours ours;
  return ours;
}

void BM_Draw(benchmark::State& state) {
  Ours& o = OurSurfaces();
  for (auto _ : state) o.dest->Draw(0, 0, false, false, false, o.source->GetBounds(), *o.source);
}
BENCHMARK(BM_Draw)->Unit(benchmark::kMicrosecond);

void BM_DrawAlpha(benchmark::State& state) {
  Ours& o = OurSurfaces();
  for (auto _ : state)
    o.dest->DrawAlpha(0, 0, 128, false, false, false, o.source->GetBounds(), *o.source);
}
BENCHMARK(BM_DrawAlpha)->Unit(benchmark::kMicrosecond);

void BM_DrawMask(benchmark::State& state) {
  Ours& o = OurSurfaces();
  for (auto _ : state)
    o.dest->DrawMask(0, 0, *o.mask, false, false, o.source->GetBounds(), *o.source);
}
BENCHMARK(BM_DrawMask)->Unit(benchmark::kMicrosecond);

void BM_DrawMaskHardEdge(benchmark::State& state) {
  Ours& o = OurSurfaces();
  for (auto _ : state)
    o.dest->DrawMask(0, 0, *o.skyline, false, false, o.source->GetBounds(), *o.source);
}
BENCHMARK(BM_DrawMaskHardEdge)->Unit(benchmark::kMicrosecond);

void BM_StretchDraw(benchmark::State& state) {
  Ours& o = OurSurfaces();
  for (auto _ : state)
    o.dest->StretchDraw(o.dest->GetBounds(), *o.half, 255, false, false, false, o.half->GetBounds());
}
BENCHMARK(BM_StretchDraw)->Unit(benchmark::kMicrosecond);

void BM_DrawRotate(benchmark::State& state) {
  Ours& o = OurSurfaces();
  const TRotation r{kAngle, kWidth / 2, kHeight / 2, 256, 256};
  for (auto _ : state)
    o.dest->DrawRotate(kWidth / 2, kHeight / 2, 255, false, false, false, r, o.source->GetBounds(),
                       *o.source);
}
BENCHMARK(BM_DrawRotate)->Unit(benchmark::kMicrosecond);

#ifdef RIVO_HAVE_PIXMAN

pixman_image_t* PixmanOf(TDIBX& s, pixman_format_code_t format) {
  return pixman_image_create_bits(format, s.Width(), s.Height(),
                                  reinterpret_cast<uint32_t*>(s.Store().MutableBits()),
                                  static_cast<int>(s.Store().Pitch()));
}

struct Pixman {
  Ours pictures;  // the same contents as ours, in buffers of their own
  pixman_image_t* dest = PixmanOf(*pictures.dest, PIXMAN_x8r8g8b8);
  pixman_image_t* source = PixmanOf(*pictures.source, PIXMAN_x8r8g8b8);
  pixman_image_t* half = PixmanOf(*pictures.half, PIXMAN_x8r8g8b8);
  pixman_image_t* mask = PixmanOf(*pictures.mask, PIXMAN_a8);
  pixman_image_t* skyline = PixmanOf(*pictures.skyline, PIXMAN_a8);
  pixman_image_t* solid = nullptr;
  pixman_image_t* scaled = PixmanOf(*pictures.half, PIXMAN_x8r8g8b8);
  pixman_image_t* rotated = PixmanOf(*pictures.source, PIXMAN_x8r8g8b8);

  Pixman() {
    const pixman_color_t alpha128 = {0, 0, 0, 0x8080};
    solid = pixman_image_create_solid_fill(&alpha128);
    pixman_transform_t t;
    pixman_transform_init_scale(&t, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
    pixman_image_set_transform(scaled, &t);
    pixman_image_set_filter(scaled, PIXMAN_FILTER_NEAREST, nullptr, 0);
    // Destination to source: about the centre by minus the angle.
    const double theta = kAngle * 2 * std::numbers::pi / 256;
    pixman_f_transform_t f;
    pixman_f_transform_init_translate(&f, -kWidth / 2.0, -kHeight / 2.0);
    pixman_f_transform_rotate(&f, nullptr, std::cos(-theta), std::sin(-theta));
    pixman_f_transform_translate(&f, nullptr, kWidth / 2.0, kHeight / 2.0);
    pixman_transform_from_pixman_f_transform(&t, &f);
    pixman_image_set_transform(rotated, &t);
    pixman_image_set_filter(rotated, PIXMAN_FILTER_NEAREST, nullptr, 0);
  }
};

Pixman& PixmanImages() {
  static Pixman pixman;
  return pixman;
}

// One composite over the whole destination per iteration.
void Composite(benchmark::State& state, pixman_op_t op, pixman_image_t* source,
               pixman_image_t* mask) {
  pixman_image_t* dest = PixmanImages().dest;
  for (auto _ : state)
    pixman_image_composite32(op, source, mask, dest, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
}

void BM_Pixman_Draw(benchmark::State& state) {
  Composite(state, PIXMAN_OP_SRC, PixmanImages().source, nullptr);
}
BENCHMARK(BM_Pixman_Draw)->Unit(benchmark::kMicrosecond);

void BM_Pixman_DrawAlpha(benchmark::State& state) {
  Composite(state, PIXMAN_OP_OVER, PixmanImages().source, PixmanImages().solid);
}
BENCHMARK(BM_Pixman_DrawAlpha)->Unit(benchmark::kMicrosecond);

void BM_Pixman_DrawMask(benchmark::State& state) {
  Composite(state, PIXMAN_OP_OVER, PixmanImages().source, PixmanImages().mask);
}
BENCHMARK(BM_Pixman_DrawMask)->Unit(benchmark::kMicrosecond);

void BM_Pixman_DrawMaskHardEdge(benchmark::State& state) {
  Composite(state, PIXMAN_OP_OVER, PixmanImages().source, PixmanImages().skyline);
}
BENCHMARK(BM_Pixman_DrawMaskHardEdge)->Unit(benchmark::kMicrosecond);

void BM_Pixman_StretchDraw(benchmark::State& state) {
  Composite(state, PIXMAN_OP_SRC, PixmanImages().scaled, nullptr);
}
BENCHMARK(BM_Pixman_StretchDraw)->Unit(benchmark::kMicrosecond);

void BM_Pixman_DrawRotate(benchmark::State& state) {
  Composite(state, PIXMAN_OP_OVER, PixmanImages().rotated, nullptr);
}
BENCHMARK(BM_Pixman_DrawRotate)->Unit(benchmark::kMicrosecond);

#endif

// Prints the console report, then our time / pixman's time per operation.
class RatioReporter : public bench::TimedReporter {
 public:
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::vector<Pair> pairs;
    for (const auto& entry : times_) {
      const std::string& name = entry.first;
      if (name.rfind("BM_Pixman_", 0) != 0) pairs.push_back({name.substr(3), name, "BM_Pixman_" + name.substr(3)});
    }
    PrintRatios("operation", "pixman", pairs);
  }
};

}  // namespace

int main(int argc, char** argv) { return rivo::bench::RunBenchmarks<RatioReporter>(argc, argv); }

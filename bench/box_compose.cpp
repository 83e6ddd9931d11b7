// Composing one 800 x 600 frame of boxes through the screen (every
// rectangle changed): a full-screen opaque box, 8 translucent boxes
// (opacity 128) and 32 additive boxes (strength 100), beside pixman doing
// the same fills in the same run (PIXMAN_OP_SRC, PIXMAN_OP_OVER with a
// translucent solid, PIXMAN_OP_ADD). At the end: our time / pixman's time.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/timed_reporter.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_box.h"

#ifdef RIVO_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace {

using namespace rivo;

constexpr int32_t kWidth = 800, kHeight = 600;

struct BoxSpec {
  TRect rect;
  int32_t color;  // 0x00BBGGRR
  int32_t alpha;
};

std::vector<BoxSpec> Scene() {
  std::vector<BoxSpec> boxes = {{{0, 0, kWidth, kHeight}, 0x203040, 255}};
  for (int32_t i = 0; i < 8; ++i) boxes.push_back({Bounds(40 + i * 80, 30 + i * 50, 200, 150), 0x4080C0, 128});
  for (int32_t i = 0; i < 32; ++i)
    boxes.push_back({Bounds((i % 8) * 95 + 10, (i / 8) * 140 + 20, 100, 75), 0x102030 * (1 + i % 3), 256 + 100});
  return boxes;
}

void BM_Screen(benchmark::State& state) {
  TRivoBaseList screen;
  screen.SetWidth(kWidth);
  screen.SetHeight(kHeight);
  for (const BoxSpec& b : Scene()) {
    TRivoBox& box = screen.Create<TRivoBox>();
    box.SetParent(&screen.ActiveBase());
    box.SetBounds(b.rect.Left, b.rect.Top, b.rect.Width(), b.rect.Height());
    box.SetColor(b.color);
    box.SetAlpha(b.alpha);
  }
  for (auto _ : state) {
    screen.InvalidateAll();
    screen.Draw();
    screen.ClearDirty();
  }
}
BENCHMARK(BM_Screen)->Unit(benchmark::kMicrosecond);

#ifdef RIVO_HAVE_PIXMAN

pixman_color_t PixmanColor(int32_t color, int32_t alpha_code) {
  auto channel = [&](int shift) { return static_cast<uint16_t>(((color >> shift) & 0xFF) * 0x101); };
  pixman_color_t c{channel(0), channel(8), channel(16), 0xFFFF};
  if (alpha_code < 255) {
    // Premultiplied, as pixman's solids are.
    c = {static_cast<uint16_t>(c.red * alpha_code / 256), static_cast<uint16_t>(c.green * alpha_code / 256),
         static_cast<uint16_t>(c.blue * alpha_code / 256), static_cast<uint16_t>(alpha_code * 0x101)};
  } else if (alpha_code > 255) {
    const int32_t s = alpha_code - 256;
    c = {static_cast<uint16_t>(c.red * s / 256), static_cast<uint16_t>(c.green * s / 256),
         static_cast<uint16_t>(c.blue * s / 256), 0xFFFF};
  }
  return c;
}

void BM_Pixman(benchmark::State& state) {
  std::vector<uint32_t> pixels(static_cast<std::size_t>(kWidth) * kHeight);
  pixman_image_t* dest = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, pixels.data(), kWidth * 4);
  struct Fill {
    pixman_op_t op;
    pixman_image_t* solid;
    TRect rect;
  };
  std::vector<Fill> fills;
  for (const BoxSpec& b : Scene()) {
    pixman_color_t c = PixmanColor(b.color, b.alpha);
    pixman_op_t op = b.alpha == 255 ? PIXMAN_OP_SRC : b.alpha < 255 ? PIXMAN_OP_OVER : PIXMAN_OP_ADD;
    fills.push_back({op, pixman_image_create_solid_fill(&c), b.rect});
  }
  for (auto _ : state)
    for (const Fill& f : fills)
      pixman_image_composite32(f.op, f.solid, nullptr, dest, 0, 0, 0, 0, f.rect.Left, f.rect.Top, f.rect.Width(),
                               f.rect.Height());
  for (const Fill& f : fills) pixman_image_unref(f.solid);
  pixman_image_unref(dest);
}
BENCHMARK(BM_Pixman)->Unit(benchmark::kMicrosecond);

#endif

class RatioReporter : public bench::TimedReporter {
 public:
  // Both sides run on one thread: processor time counts only their own work.
  RatioReporter() : TimedReporter(Clock::kCpu) {}
  void Finalize() override {
    ConsoleReporter::Finalize();
    PrintRatios("frame", "pixman", {{"boxes", "BM_Screen", "BM_Pixman"}});
  }
};

}  // namespace

int main(int argc, char** argv) { return rivo::bench::RunBenchmarks<RatioReporter>(argc, argv); }

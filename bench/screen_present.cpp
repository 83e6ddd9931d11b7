// Presenting one 800 x 600 frame with 10 changed rectangles (64 x 48 each,
// spread over the screen) through the screen manager: into the headless
// display, and into an SDL window (software renderer; the dummy video
// driver unless SDL_VIDEODRIVER says otherwise), beside pixman copying the
// same rectangles (pixman_blt) in the same run. At the end the table of our
// time / pixman's time is printed.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/timed_reporter.h"
#include "media/screen_manager.h"
#include "platform/headless/headless_window.h"
#include "platform/listed_display_modes.h"
#include "platform/sdl/sdl_platform.h"

#ifdef RIVO_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace {

using namespace rivo;

constexpr int32_t kWidth = 800, kHeight = 600;

std::vector<TRect> TenRects() {
  std::vector<TRect> rects;
  for (int32_t i = 0; i < 10; ++i) rects.push_back(Bounds(30 + i * 75, 20 + (i * 53) % 520, 64, 48));
  return rects;
}

void Fill(TDIBX& s) {
  uint32_t state = 1;
  for (int32_t y = 0; y < s.Height(); ++y)
    for (int32_t x = 0; x < s.Width(); ++x) {
      state = state * 1664525u + 1013904223u;
      s.SetPixel(x, y, state >> 8);
    }
}

void PresentLoop(benchmark::State& state, Window* window) {
  ListedDisplayModes modes(HeadlessDisplayModes(), 32);
  TScreenManager manager(modes, window, kWidth, kHeight, 0, 0);
  Fill(manager.DrawSurface());
  const std::vector<TRect> rects = TenRects();
  for (auto _ : state) manager.Present(rects, {});
}

void BM_Headless(benchmark::State& state) {
  HeadlessDisplay display;
  HeadlessWindow window(display, {.screen_width = kWidth, .screen_height = kHeight});
  PresentLoop(state, &window);
}
BENCHMARK(BM_Headless)->Unit(benchmark::kMicrosecond);

void BM_Sdl(benchmark::State& state) {
  if (!std::getenv("SDL_VIDEODRIVER")) setenv("SDL_VIDEODRIVER", "dummy", 1);
  std::unique_ptr<Platform> platform;
  try {
    platform = CreateSdlPlatform(std::cerr);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  std::unique_ptr<Window> window = platform->OpenWindow({.screen_width = kWidth, .screen_height = kHeight});
  PresentLoop(state, window.get());
}
BENCHMARK(BM_Sdl)->Unit(benchmark::kMicrosecond);

#ifdef RIVO_HAVE_PIXMAN

// The peer of both: the same rectangles copied between two frames.
void BM_Pixman(benchmark::State& state) {
  TDIBX from, to;
  from.SetSize(kWidth, kHeight, 32);
  to.SetSize(kWidth, kHeight, 32);
  Fill(from);
  auto* src = reinterpret_cast<uint32_t*>(from.Store().MutableBits());
  auto* dst = reinterpret_cast<uint32_t*>(to.Store().MutableBits());
  const int stride = static_cast<int>(from.Store().Pitch() / 4);
  const std::vector<TRect> rects = TenRects();
  for (auto _ : state)
    for (const TRect& r : rects)
      pixman_blt(src, dst, stride, stride, 32, 32, r.Left, r.Top, r.Left, r.Top, r.Width(), r.Height());
}
BENCHMARK(BM_Pixman)->Unit(benchmark::kMicrosecond);

#endif

class RatioReporter : public bench::TimedReporter {
 public:
  void Finalize() override {
    ConsoleReporter::Finalize();
    PrintRatios("present", "pixman", {{"Headless", "BM_Headless", "BM_Pixman"}, {"Sdl", "BM_Sdl", "BM_Pixman"}});
  }
};

}  // namespace

int main(int argc, char** argv) { return rivo::bench::RunBenchmarks<RatioReporter>(argc, argv); }

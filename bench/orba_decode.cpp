// Decoding layered images: an 800 x 600 32-bit picture with a mask from
// ".orb" (compression 0) beside libpng decoding the same picture as an RGBA
// PNG in the same run; a 10-frame 640 x 480 animation; and the image
// cache's conversion of one decoded frame into a drawable surface and mask.

#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench/timed_reporter.h"
#include "graphics/frame_surface.h"
#include "graphics/orba_frame_list.h"
#include "graphics/png_codec.h"

namespace {

using namespace rivo;

// Photo-like content: smooth gradients with a little fixed noise, and a
// mask that is opaque in the middle and fades at the edges.
TOrbaFrame& AddPicture(TOrbaFrameList& list, int32_t w, int32_t h, int32_t bits, uint32_t seed) {
  TOrbaFrame& f = list.AddFrame();
  f.surface.SetSize(w, h, bits);
  TDIBSurface& mask = f.surface.CreateMask();
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const uint32_t noise = seed >> 29;
      const uint32_t r = (x * 255 / w + noise) & 0xFF, g = (y * 255 / h + noise) & 0xFF,
                     b = ((x + y) * 127 / (w + h) + 64 + noise) & 0xFF;
      f.surface.WritePixel(x, y, b | g << 8 | r << 16);
      const int32_t edge = std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y));
      mask.WritePixel(x, y, static_cast<uint32_t>(std::min(edge * 4, 255)));
    }
  }
  return f;
}

struct Pictures {
  std::string orb, png, animation;
  TOrbaFrameList decoded;
  Pictures() {
    TOrbaFrameList one;
    AddPicture(one, 800, 600, 32, 1);
    orb = one.SaveToStream(ORBA_ZLIB);
    png = WritePng(one.Frames(0).surface);
    TOrbaFrameList ten;
    for (uint32_t i = 0; i < 10; ++i) AddPicture(ten, 640, 480, 24, i + 1);
    animation = ten.SaveToStream(ORBA_ZLIB);
    decoded.LoadFromStream(orb, "bench.orb");
  }
};

const Pictures& Data() {
  static const Pictures pictures;
  return pictures;
}

void BM_Orb_Decode800x600(benchmark::State& state) {
  for (auto _ : state) {
    TOrbaFrameList list;
    list.LoadFromStream(Data().orb, "bench.orb");
    benchmark::DoNotOptimize(list.Frames(0).surface.Bits());
  }
}
BENCHMARK(BM_Orb_Decode800x600)->Unit(benchmark::kMillisecond);

struct PngSource {
  const std::string* data;
  std::size_t pos;
};

void ReadPngBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* s = static_cast<PngSource*>(png_get_io_ptr(png));
  std::memcpy(out, s->data->data() + s->pos, count);
  s->pos += count;
}

// libpng's classic interface straight into BGRA rows.
void BM_Libpng_Decode800x600(benchmark::State& state) {
  std::vector<uint8_t> pixels(800 * 600 * 4);
  std::vector<png_bytep> rows(600);
  for (int y = 0; y < 600; ++y) rows[static_cast<std::size_t>(y)] = pixels.data() + y * 800 * 4;
  for (auto _ : state) {
    PngSource source{&Data().png, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_read_fn(png, &source, ReadPngBytes);
    png_read_info(png, info);
    png_set_bgr(png);
    png_read_update_info(png, info);
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_Libpng_Decode800x600)->Unit(benchmark::kMillisecond);

void BM_Orb_Animation10x640x480(benchmark::State& state) {
  for (auto _ : state) {
    TOrbaFrameList list;
    list.LoadFromStream(Data().animation, "anim.orb");
    benchmark::DoNotOptimize(list.Frames(9).surface.Bits());
  }
  state.counters["frames/s"] = benchmark::Counter(10.0 * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Orb_Animation10x640x480)->Unit(benchmark::kMillisecond);

// What the cache does to each frame once: 32-bit surface and 8-bit mask.
void BM_Cache_ConvertFrame800x600(benchmark::State& state) {
  TDIBX surface, mask;
  for (auto _ : state) {
    CopyFrameToSurface(Data().decoded.Frames(0), surface);
    CopyMaskToSurface(Data().decoded.Frames(0), mask);
    benchmark::DoNotOptimize(surface.Store().Bits());
  }
}
BENCHMARK(BM_Cache_ConvertFrame800x600)->Unit(benchmark::kMicrosecond);

// Prints the console report, then ours / libpng's time for the picture.
class RatioReporter : public bench::TimedReporter {
 public:
  using TimedReporter::TimedReporter;
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto ours = times_.find("BM_Orb_Decode800x600"), peer = times_.find("BM_Libpng_Decode800x600");
    if (ours != times_.end() && peer != times_.end())
      std::printf("\n800 x 600 with mask (CPU): .orb %.2f ms, libpng %.2f ms, ratio %.2f\n", ours->second,
                  peer->second, ours->second / peer->second);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Data();  // the pictures are made before any timing starts
  RatioReporter reporter(bench::TimedReporter::Clock::kCpu);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

// Composing one 800 x 600 frame of image controls through the screen: a
// background picture, 8 sprites at opacity 128, 2 sprites turned and
// zoomed and one additive sprite (strength 100), drawn from scratch; and a
// frame in which one sprite moved (only its old and new rectangles are
// redrawn). Beside it pixman does the same composites in the same run
// (PIXMAN_OP_SRC, OVER through a solid 128 mask, OVER of a transformed
// source with nearest sampling, ADD through a solid 100 mask). At the end:
// our time / pixman's time for both frames.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "bench/timed_reporter.h"
#include "graphics/orba_collection.h"
#include "graphics/orba_frame_list.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_images.h"

#ifdef RIVO_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace {

using namespace rivo;

constexpr int32_t kWidth = 800, kHeight = 600, kSprite = 96;
constexpr int32_t kAngle = 40, kZoom = 384;  // 1/256 turn, 1/256 scale

uint32_t Pixel(int32_t x, int32_t y, int32_t seed) {
  return static_cast<uint32_t>(((x * 3 + seed) & 0xFF) << 16 | ((y * 5 + seed) & 0xFF) << 8 | ((x ^ y) & 0xFF));
}

struct Sprite {
  int32_t x, y, alpha, angle, zoom;
};

std::vector<Sprite> Sprites() {
  std::vector<Sprite> sprites;
  for (int32_t i = 0; i < 8; ++i) sprites.push_back({30 + i * 90, 40 + (i % 4) * 120, 128, 0, 256});
  sprites.push_back({200, 400, 255, kAngle, kZoom});
  sprites.push_back({560, 420, 255, -kAngle, kZoom});
  sprites.push_back({380, 250, 256 + 100, 0, 256});
  return sprites;
}

class Pictures : public TImageFileSource {
 public:
  std::optional<std::string> ReadImageFile(const std::string& name) override {
    TOrbaFrameList list;
    TOrbaFrame& f = list.AddFrame();
    const bool background = name == "bg.orb";
    const int32_t w = background ? kWidth : kSprite, h = background ? kHeight : kSprite;
    f.surface.SetSize(w, h, 24);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) f.surface.WritePixel(x, y, Pixel(x, y, background ? 0 : 77));
    return list.SaveToStream();
  }
};

struct Scene {
  Scene() {
    screen.SetImages(&cache);
    screen.SetWidth(kWidth);
    screen.SetHeight(kHeight);
    back.SetSize(kWidth, kHeight, 32);
    screen.SetBackBuffer(&back);
    Add("bg.orb", {0, 0, 255, 0, 256});
    for (const Sprite& s : Sprites()) sprites.push_back(&Add("sprite.orb", s));
  }
  ~Scene() { screen.Reset(); }
  TRivoImages& Add(const std::string& source, const Sprite& s) {
    auto& image = screen.Create<TRivoImages>();
    image.SetParent(&screen.ActiveBase());
    image.SetSource(source);
    image.SetLeft(s.x);
    image.SetTop(s.y);
    image.SetAlpha(s.alpha);
    image.SetAngle(s.angle);
    image.SetZoomX(s.zoom);
    image.SetZoomY(s.zoom);
    image.Tick();  // the zoom's size
    return image;
  }
  Pictures pictures;
  TOrbaCollection cache{pictures};
  TDIBX back;
  TRivoBaseList screen;
  std::vector<TRivoImages*> sprites;
};

void BM_ScreenFull(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    scene.screen.InvalidateAll();
    scene.screen.Draw();
    scene.screen.ClearDirty();
  }
}
BENCHMARK(BM_ScreenFull)->Unit(benchmark::kMicrosecond);

void BM_ScreenMoved(benchmark::State& state) {
  Scene scene;
  scene.screen.Draw();
  scene.screen.ClearDirty();
  int32_t step = 0;
  for (auto _ : state) {
    scene.sprites[0]->SetLeft(30 + (++step & 1) * 12);
    scene.screen.Draw();
    scene.screen.ClearDirty();
  }
}
BENCHMARK(BM_ScreenMoved)->Unit(benchmark::kMicrosecond);

#ifdef RIVO_HAVE_PIXMAN

struct PixmanScene {
  PixmanScene() : pixels(static_cast<std::size_t>(kWidth) * kHeight), bg_bits(pixels.size()),
                  sprite_bits(static_cast<std::size_t>(kSprite) * kSprite) {
    for (int32_t y = 0; y < kHeight; ++y)
      for (int32_t x = 0; x < kWidth; ++x) bg_bits[static_cast<std::size_t>(y * kWidth + x)] = Pixel(x, y, 0);
    for (int32_t y = 0; y < kSprite; ++y)
      for (int32_t x = 0; x < kSprite; ++x)
        sprite_bits[static_cast<std::size_t>(y * kSprite + x)] = 0xFF000000u | Pixel(x, y, 77);
    dest = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, pixels.data(), kWidth * 4);
    bg = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, bg_bits.data(), kWidth * 4);
    sprite = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSprite, kSprite, sprite_bits.data(), kSprite * 4);
    turned = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSprite, kSprite, sprite_bits.data(), kSprite * 4);
    pixman_image_set_filter(turned, PIXMAN_FILTER_NEAREST, nullptr, 0);
    pixman_color_t half{0, 0, 0, 128 * 0x101}, add{0, 0, 0, 100 * 0x101};
    half_mask = pixman_image_create_solid_fill(&half);
    add_mask = pixman_image_create_solid_fill(&add);
  }
  ~PixmanScene() {
    for (pixman_image_t* image : {dest, bg, sprite, turned, half_mask, add_mask}) pixman_image_unref(image);
  }
  // The frame within clip (the whole screen or the changed rectangles).
  void Compose(const std::vector<Sprite>& sprites) {
    pixman_image_composite32(PIXMAN_OP_SRC, bg, nullptr, dest, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    for (const Sprite& s : sprites) {
      if (s.angle != 0) {
        // Destination to source: turn back about the sprite's corner and unzoom.
        const double a = -s.angle * 2 * std::numbers::pi / 256, z = 256.0 / s.zoom;
        pixman_transform_t t;
        pixman_transform_init_identity(&t);
        t.matrix[0][0] = pixman_double_to_fixed(std::cos(a) * z);
        t.matrix[0][1] = pixman_double_to_fixed(-std::sin(a) * z);
        t.matrix[1][0] = pixman_double_to_fixed(std::sin(a) * z);
        t.matrix[1][1] = pixman_double_to_fixed(std::cos(a) * z);
        pixman_image_set_transform(turned, &t);
        const int32_t r = kSprite * s.zoom / 256 * 3 / 2;
        pixman_image_composite32(PIXMAN_OP_OVER, turned, nullptr, dest, -r, -r, 0, 0, s.x - r, s.y - r, 2 * r, 2 * r);
      } else {
        pixman_image_composite32(s.alpha > 255 ? PIXMAN_OP_ADD : PIXMAN_OP_OVER, sprite,
                                 s.alpha > 255 ? add_mask : half_mask, dest, 0, 0, 0, 0, s.x, s.y, kSprite, kSprite);
      }
    }
  }
  void Clip(const std::vector<TRect>& rects) {
    pixman_region32_t region;
    std::vector<pixman_box32_t> boxes;
    for (const TRect& r : rects) boxes.push_back({r.Left, r.Top, r.Right, r.Bottom});
    pixman_region32_init_rects(&region, boxes.data(), static_cast<int>(boxes.size()));
    pixman_image_set_clip_region32(dest, &region);
    pixman_region32_fini(&region);
  }

  std::vector<uint32_t> pixels, bg_bits, sprite_bits;
  pixman_image_t *dest, *bg, *sprite, *turned, *half_mask, *add_mask;
};

void BM_PixmanFull(benchmark::State& state) {
  PixmanScene scene;
  const std::vector<Sprite> sprites = Sprites();
  for (auto _ : state) scene.Compose(sprites);
}
BENCHMARK(BM_PixmanFull)->Unit(benchmark::kMicrosecond);

void BM_PixmanMoved(benchmark::State& state) {
  PixmanScene scene;
  std::vector<Sprite> sprites = Sprites();
  // The moved sprite's old and new rectangles, as our screen redraws them.
  scene.Clip({Bounds(30, 40, kSprite, kSprite), Bounds(42, 40, kSprite, kSprite)});
  int32_t step = 0;
  for (auto _ : state) {
    sprites[0].x = 30 + (++step & 1) * 12;
    scene.Compose(sprites);
  }
}
BENCHMARK(BM_PixmanMoved)->Unit(benchmark::kMicrosecond);

#endif

class RatioReporter : public bench::TimedReporter {
 public:
  // The machine is shared: processor time is the steadier measure.
  RatioReporter() : TimedReporter(Clock::kCpu) {}
  void Finalize() override {
    ConsoleReporter::Finalize();
    PrintRatios("frame", "pixman", {{"Full", "BM_ScreenFull", "BM_PixmanFull"}, {"Moved", "BM_ScreenMoved", "BM_PixmanMoved"}});
  }
};

}  // namespace

int main(int argc, char** argv) { return rivo::bench::RunBenchmarks<RatioReporter>(argc, argv); }

// A scene with a message window: an 800 x 600 background picture, 8 sprites
// at opacity 128 and a 760 x 160 message window typing three rows of 24-pixel
// text with border 2 and shadow 2 (IPA Gothic through FreeType). Composed
// from scratch (every rectangle changed) and incrementally (one glyph
// revealed a frame), beside pixman compositing the same pictures and the
// same text coverage masks in the same run. Then rendering a page of 400
// characters into the layers with a cold and a warm glyph cache, in turn.
// At the end: our time / pixman's time.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <map>
#include <tuple>
#include <optional>
#include <string>
#include <vector>

#include "bench/timed_reporter.h"
#include "common/encoding.h"
#include "common/sjis.h"
#include "graphics/orba_collection.h"
#include "graphics/orba_frame_list.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_image.h"
#include "objects/rivo_mes.h"
#include "platform/freetype_rasteriser.h"
#include "text/font_pixel_manager.h"

#ifdef RIVO_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace {

using namespace rivo;

constexpr int32_t kWidth = 800, kHeight = 600;
constexpr int32_t kSprites = 8, kSpriteW = 160, kSpriteH = 120;
const TRect kWindow = Bounds(20, 420, 760, 160);

FreeTypeRasteriser& Fonts() {
  static FreeTypeRasteriser fonts;
  return fonts;
}

// 75 kana and kanji: three rows of 25 cells of 30 pixels.
std::string PageText(int32_t count) {
  static const char* const kPieces[] = {"あ", "い", "う", "え", "お", "か", "き", "く", "け", "こ", "山", "川", "空",
                                        "海", "花", "雨", "風", "星", "夢", "光"};
  std::string utf8;
  for (int32_t i = 0; i < count; ++i) utf8 += kPieces[(i * 7) % 20];
  return Utf8ToCp932(utf8);
}

class Pictures : public TImageFileSource {
 public:
  Pictures() {
    files_["bg.orb"] = Picture(kWidth, kHeight, [](int32_t x, int32_t y) { return uint32_t((x & 0xFF) << 16 | (y & 0xFF) << 8 | 0x40); });
    files_["sprite.orb"] = Picture(kSpriteW, kSpriteH, [](int32_t, int32_t) { return uint32_t{0xC08040}; });
  }
  std::optional<std::string> ReadImageFile(const std::string& name) override {
    for (const auto& [file, bytes] : files_)
      if (sjis::SameText(file, name)) return bytes;
    return std::nullopt;
  }

 private:
  template <typename F>
  static std::string Picture(int32_t w, int32_t h, F pixel) {
    TOrbaFrameList list;
    TOrbaFrame& f = list.AddFrame();
    f.surface.SetSize(w, h, 24);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) f.surface.WritePixel(x, y, pixel(x, y));
    return list.SaveToStream();
  }
  std::map<std::string, std::string> files_;
};

TRect SpriteRect(int32_t i) { return Bounds(30 + i * 90, 40 + (i % 3) * 110, kSpriteW, kSpriteH); }

struct Clock : ScreenClock {
  int32_t ElapsedMs() const override { return 0; }
  int32_t FrameDeltaMs() const override { return 16; }
};

struct Scene {
  Clock clock;
  Pictures pictures;
  TOrbaCollection cache{pictures};
  TFontPixelManager glyphs{Fonts()};
  TRivoBaseList screen{&clock};
  TDIBX back;
  TRivoMes* mes = nullptr;

  Scene() {
    screen.SetImages(&cache);
    screen.SetGlyphs(&glyphs);
    screen.SetWidth(kWidth);
    screen.SetHeight(kHeight);
    back.SetSize(kWidth, kHeight, 32);
    screen.SetBackBuffer(&back);
    auto add_image = [&](const char* source, const TRect& r, int32_t alpha) {
      TRivoImage& image = screen.Create<TRivoImage>();
      image.SetParent(&screen.ActiveBase());
      image.SetSource(source);
      image.SetBounds(r.Left, r.Top, r.Width(), r.Height());
      image.SetAlpha(alpha);
    };
    add_image("bg.orb", Bounds(0, 0, kWidth, kHeight), 255);
    for (int32_t i = 0; i < kSprites; ++i) add_image("sprite.orb", SpriteRect(i), 128);
    mes = &screen.Create<TRivoMes>();
    mes->SetParent(&screen.ActiveBase());
    mes->SetBounds(kWindow.Left, kWindow.Top, kWindow.Width(), kWindow.Height());
    mes->SetFontHeight(24);
    mes->SetFontBorder(2);
    mes->SetFontShadow(2);
    mes->SetFontColor(0xFFFFFF);
    mes->SetBorderColor(0x202020);
    mes->SetDelay(0);
    mes->SetTextDelay(0);  // the whole page at once
  }
  ~Scene() { screen.Reset(); }
  void Show(int32_t ticks) {
    for (int32_t i = 0; i < ticks; ++i) screen.Tick();
  }
  void Compose() {
    screen.Draw();
    screen.ClearDirty();
  }
};

void BM_FrameScratch(benchmark::State& state) {
  Scene s;
  s.mes->SetText(PageText(75));
  s.Show(3);
  for (auto _ : state) {
    s.screen.InvalidateAll();
    s.Compose();
  }
}
BENCHMARK(BM_FrameScratch)->Unit(benchmark::kMicrosecond);

void BM_FrameTyping(benchmark::State& state) {
  Scene s;
  s.mes->SetTextDelay(82);  // glyphs of 50 ms at 82/256: one a 16 ms tick
  auto restart = [&] {
    s.mes->SetText(PageText(75));
    s.Show(2);
    s.Compose();
  };
  restart();
  int64_t pages = 0, changed = 0;
  for (auto _ : state) {
    if (!s.mes->IsPlaying()) {
      state.PauseTiming();
      restart();
      ++pages;
      state.ResumeTiming();
    }
    s.screen.Tick();
    changed += !s.screen.ActiveBase().Dirty.Rects().empty();
    s.Compose();
  }
  // Pages typed, and the share of frames that changed the screen.
  state.counters["pages"] = static_cast<double>(pages);
  state.counters["redrawn"] = static_cast<double>(changed) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FrameTyping)->Unit(benchmark::kMicrosecond);

// Processor time of this thread, in milliseconds.
double ThreadMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The page rendered with a cold glyph cache (a new one: every character is
// rasterised again) and with a warm one, in turn within each iteration, so
// that both see the same machine: run one after the other, the second of
// them came out slower or faster by whatever load the shared machine had
// meanwhile, more than the cold cache's own cost.
void BM_Render400(benchmark::State& state) {
  TFontPixelManager warm{Fonts()};
  TQnWord word;
  word.ParseText(PageText(400), 0);
  word.FontHeight = 24;
  word.BorderWidth = 2;
  word.ShadowOffset = 2;
  word.WrapWidth = 760;
  word.PageHeight = 600;
  TWdPages pages;
  word.Layout(pages);
  word.Glyphs = &warm;
  word.Render(*pages[0], true);
  double cold_ms = 0, warm_ms = 0;
  for (auto _ : state) {
    double start = ThreadMs();
    {
      TFontPixelManager fresh{Fonts()};
      word.Glyphs = &fresh;
      word.Render(*pages[0], true);
    }
    const double middle = ThreadMs();
    word.Glyphs = &warm;
    word.Render(*pages[0], true);
    cold_ms += middle - start;
    warm_ms += ThreadMs() - middle;
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["cold_ms"] = cold_ms / n;
  state.counters["warm_ms"] = warm_ms / n;
}
BENCHMARK(BM_Render400)->Unit(benchmark::kMillisecond);

#ifdef RIVO_HAVE_PIXMAN

// The same pictures and the window's own layers, composed by pixman: the
// background copied, the sprites blended at 128, and each glyph's part of
// the colour layer through its coverage.
struct PixmanScene {
  std::vector<uint32_t> dest_bits, bg_bits, sprite_bits, colour_bits;
  std::vector<uint8_t> coverage_bits;
  pixman_image_t *dest, *bg, *sprite, *colour, *coverage, *half;
  std::vector<TRect> glyphs;  // window-relative rectangles
  int32_t stride8;

  PixmanScene() {
    Scene s;
    s.mes->SetText(PageText(75));
    s.Show(3);
    const TWdPage& page = *s.mes->Pages()[0];
    for (const auto& row : page.Rows)
      for (const TWdGlyph* g : row->Glyphs)
        if (g->Kind() == GK_CHAR) glyphs.push_back(static_cast<const TWdChar*>(g)->Rendered);
    TQnWord& word = const_cast<TQnWord&>(s.mes->Word());
    const int32_t w = kWindow.Width(), h = kWindow.Height();
    colour_bits.resize(static_cast<std::size_t>(w) * h);
    stride8 = (w + 3) & ~3;
    coverage_bits.resize(static_cast<std::size_t>(stride8) * h);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        colour_bits[static_cast<std::size_t>(y) * w + x] = word.ColorLayer().GetPixel(x, y);
        coverage_bits[static_cast<std::size_t>(y) * stride8 + x] = static_cast<uint8_t>(word.CoverageLayer().GetPixel(x, y));
      }
    dest_bits.resize(static_cast<std::size_t>(kWidth) * kHeight);
    bg_bits.resize(dest_bits.size());
    for (int32_t y = 0; y < kHeight; ++y)
      for (int32_t x = 0; x < kWidth; ++x) bg_bits[static_cast<std::size_t>(y) * kWidth + x] = uint32_t((x & 0xFF) << 16 | (y & 0xFF) << 8 | 0x40);
    sprite_bits.assign(static_cast<std::size_t>(kSpriteW) * kSpriteH, 0xC08040);
    dest = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, dest_bits.data(), kWidth * 4);
    bg = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, bg_bits.data(), kWidth * 4);
    sprite = pixman_image_create_bits(PIXMAN_x8r8g8b8, kSpriteW, kSpriteH, sprite_bits.data(), kSpriteW * 4);
    colour = pixman_image_create_bits(PIXMAN_x8r8g8b8, w, h, colour_bits.data(), w * 4);
    coverage = pixman_image_create_bits(PIXMAN_a8, w, h, reinterpret_cast<uint32_t*>(coverage_bits.data()), stride8);
    pixman_color_t c{0, 0, 0, 0x8080};
    half = pixman_image_create_solid_fill(&c);
  }
  ~PixmanScene() {
    for (pixman_image_t* i : {dest, bg, sprite, colour, coverage, half}) pixman_image_unref(i);
  }
  // Everything within clip (screen coordinates).
  void Compose(const TRect& clip) {
    auto part = [&](pixman_op_t op, pixman_image_t* src, pixman_image_t* mask, const TRect& at, int32_t mx, int32_t my) {
      TRect r = Intersect(at, clip);
      if (r.IsEmpty()) return;
      pixman_image_composite32(op, src, mask, dest, r.Left - at.Left + mx, r.Top - at.Top + my, mask == half ? 0 : r.Left - at.Left + mx,
                               mask == half ? 0 : r.Top - at.Top + my, r.Left, r.Top, r.Width(), r.Height());
    };
    part(PIXMAN_OP_SRC, bg, nullptr, Bounds(0, 0, kWidth, kHeight), 0, 0);
    for (int32_t i = 0; i < kSprites; ++i) part(PIXMAN_OP_OVER, sprite, half, SpriteRect(i), 0, 0);
    for (const TRect& g : glyphs) part(PIXMAN_OP_OVER, colour, coverage, g.Offset(kWindow.Left, kWindow.Top), g.Left, g.Top);
  }
};

void BM_PixmanScratch(benchmark::State& state) {
  PixmanScene p;
  for (auto _ : state) p.Compose(Bounds(0, 0, kWidth, kHeight));
}
BENCHMARK(BM_PixmanScratch)->Unit(benchmark::kMicrosecond);

void BM_PixmanTyping(benchmark::State& state) {
  PixmanScene p;
  // Our typing renders a new page after every 75 frames, outside the timing,
  // and that rendering leaves the caches cold for the frames after it. The
  // peer starts its pages after the same rendering, so that both are timed
  // on caches in the same state.
  Scene s;
  std::size_t next = 0;
  for (auto _ : state) {
    if (next == 0) {
      state.PauseTiming();
      s.mes->SetText(PageText(75));
      s.Show(2);
      s.Compose();
      state.ResumeTiming();
    }
    p.Compose(p.glyphs[next].Offset(kWindow.Left, kWindow.Top));
    next = (next + 1) % p.glyphs.size();
  }
}
BENCHMARK(BM_PixmanTyping)->Unit(benchmark::kMicrosecond);

#endif

class RatioReporter : public bench::TimedReporter {
 public:
  RatioReporter() : TimedReporter(Clock::kCpu) {}
  void Finalize() override {
    ConsoleReporter::Finalize();
    PrintRatios("frame", "pixman",
                {{"scratch", "BM_FrameScratch", "BM_PixmanScratch"}, {"typing", "BM_FrameTyping", "BM_PixmanTyping"}});
  }
};

}  // namespace

int main(int argc, char** argv) { return rivo::bench::RunBenchmarks<RatioReporter>(argc, argv); }

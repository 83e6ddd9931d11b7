// The glyph cache beside the libraries under it, in the same run:
//   ColdKanji   2,000 distinct kanji at 24 px, level 3, from a cold cache,
//               beside FreeType loading and rendering the same characters
//               itself (FreeType_ColdKanji)
//   WarmPage    a page of 40 x 20 plain cells from a warm cache, drawn with
//               DrawCell and filled onto a 32-bit surface through the
//               coverage layer, beside pixman compositing the same glyph
//               masks with a solid source straight onto the surface
//               (Pixman_WarmPage: PIXMAN_OP_OVER, a8 masks)
//   WarmPageBorder2, WarmPageShadow2: the same page with border 2 or
//               shadow 2 (the colour layer drawn through the coverage)
// At the end our time / the peer's time is printed, and the cost of the
// border and the shadow against the plain page.

#include <benchmark/benchmark.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/timed_reporter.h"
#include "common/cp932_code_table.h"
#include "common/encoding.h"
#include "platform/freetype_rasteriser.h"
#include "text/font_pixel_manager.h"

#ifdef RIVO_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace {

using namespace rivo;

constexpr int32_t kSize = 24;
constexpr int32_t kKanji = 2000;
constexpr int32_t kColumns = 40, kRows = 20;

const std::string& Gothic() {
  static const std::string face = Utf8ToCp932("ＭＳ ゴシック");
  return face;
}

FreeTypeRasteriser& Fonts() {
  static FreeTypeRasteriser fonts;
  return fonts;
}

// The first kKanji kanji of the first JIS level.
const std::vector<uint16_t>& KanjiCodes() {
  static const std::vector<uint16_t> codes = [] {
    std::vector<uint16_t> out;
    for (uint32_t code = 0x889F; out.size() < kKanji; ++code)
      if (Cp932CodeToUnicode(static_cast<uint16_t>(code)) != 0) out.push_back(static_cast<uint16_t>(code));
    return out;
  }();
  return codes;
}

void BM_ColdKanji(benchmark::State& state) {
  Fonts().Open({Gothic(), kSize, 0});  // the face is open for both contenders
  for (auto _ : state) {
    TFontPixelManager cache(Fonts());
    cache.SetAntialiasLevel(3);
    for (uint16_t code : KanjiCodes()) benchmark::DoNotOptimize(cache.GetGlyph(code, Gothic(), 0, kSize));
  }
}
BENCHMARK(BM_ColdKanji)->Unit(benchmark::kMillisecond);

void BM_FreeType_ColdKanji(benchmark::State& state) {
  std::optional<FontFile> file = Fonts().Resolve(Gothic(), false);
  FT_Library library;
  FT_Init_FreeType(&library);
  FT_Face face;
  if (!file || FT_New_Face(library, file->path.c_str(), file->index, &face) != 0) {
    state.SkipWithError("no font");
    return;
  }
  // The pixel size the player picks for a cell of kSize.
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(Fonts().Open({Gothic(), kSize, 0})->Metrics().height));
  std::vector<uint8_t> copy;
  for (auto _ : state) {
    for (uint16_t code : KanjiCodes()) {
      FT_Load_Char(face, Cp932CodeToUnicode(code), FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL);
      FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL);
      const FT_Bitmap& b = face->glyph->bitmap;
      copy.assign(b.buffer, b.buffer + static_cast<std::size_t>(b.rows) * b.pitch);
      benchmark::DoNotOptimize(copy.data());
    }
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
}
BENCHMARK(BM_FreeType_ColdKanji)->Unit(benchmark::kMillisecond);

// A page of kana and kanji, 256 distinct characters at most, so the cache holds them all.
const std::vector<uint16_t>& PageCodes() {
  static const std::vector<uint16_t> codes = [] {
    std::vector<uint16_t> out;
    for (int i = 0; i < kColumns * kRows; ++i)
      out.push_back(i % 3 == 0 ? KanjiCodes()[i % 150] : static_cast<uint16_t>(0x829F + i % 83));
    return out;
  }();
  return codes;
}

struct Page {
  TFontPixelManager cache{Fonts()};
  TDIBX surface, colour, coverage;
  Page() {
    for (TDIBX* layer : {&surface, &colour}) layer->SetSize(kColumns * kSize, kRows * kSize, 32);
    coverage.SetSize(kColumns * kSize, kRows * kSize, 8);
    surface.Clear(0x203040);
    colour.Clear(0);
    for (uint16_t code : PageCodes()) cache.GetGlyph(code, Gothic(), 0, kSize);
  }
};

void DrawPage(benchmark::State& state, int32_t border, int32_t shadow) {
  static Page page;
  TCellStyle style;
  style.border = border;
  style.shadow = shadow;
  style.text_color = 0xFFFFFF;
  style.border_color = 0x000000;
  style.shadow_color = 0x404040;
  // Plain pages are filled through the coverage layer alone, as label lists and message text are.
  style.coverage_only = true;
  const std::vector<uint16_t>& codes = PageCodes();
  for (auto _ : state) {
    page.coverage.Clear(0);
    for (int32_t row = 0; row < kRows; ++row) {
      // As the text controls do, only what each line touched is composed.
      TRect line;
      for (int32_t column = 0; column < kColumns; ++column) {
        std::shared_ptr<const TFontPixel> g = page.cache.GetGlyph(codes[row * kColumns + column], Gothic(), 0, kSize);
        style.first_in_run = column == 0;
        style.last_in_run = column + 1 == kColumns;
        line = Union(line, g->DrawCell(page.colour, page.coverage, Bounds(column * kSize, row * kSize, kSize, kSize), style));
      }
      line = Intersect(line, page.coverage.GetBounds());
      if (border == 0 && shadow == 0)
        page.surface.FillMask(line.Left, line.Top, 255, 0xFFFFFF, false, false, line, page.coverage);
      else
        page.surface.DrawMask(line.Left, line.Top, page.coverage, false, false, line, page.colour);
    }
  }
}

void BM_WarmPage(benchmark::State& state) { DrawPage(state, 0, 0); }
BENCHMARK(BM_WarmPage)->Unit(benchmark::kMicrosecond);
void BM_WarmPageBorder2(benchmark::State& state) { DrawPage(state, 2, 0); }
BENCHMARK(BM_WarmPageBorder2)->Unit(benchmark::kMicrosecond);
void BM_WarmPageShadow2(benchmark::State& state) { DrawPage(state, 0, 2); }
BENCHMARK(BM_WarmPageShadow2)->Unit(benchmark::kMicrosecond);

#ifdef RIVO_HAVE_PIXMAN

void BM_Pixman_WarmPage(benchmark::State& state) {
  // The same glyph bitmaps as a8 masks, placed as DrawCell places them.
  TFontPixelManager cache(Fonts());
  struct Placed {
    pixman_image_t* mask;
    int32_t x, y, w, h;
  };
  std::vector<std::shared_ptr<const TFontPixel>> keep;
  std::map<uint16_t, pixman_image_t*> masks;
  std::vector<Placed> placed;
  const std::vector<uint16_t>& codes = PageCodes();
  for (int32_t i = 0; i < kColumns * kRows; ++i) {
    std::shared_ptr<const TFontPixel> g = cache.GetGlyph(codes[i], Gothic(), 0, kSize);
    if (g->IsBlank()) continue;
    keep.push_back(g);
    pixman_image_t*& mask = masks[codes[i]];
    if (!mask)
      mask = pixman_image_create_bits(PIXMAN_a8, g->Width(), g->Height(),
                                      reinterpret_cast<uint32_t*>(const_cast<uint8_t*>(g->Bitmap.Store().Bits())),
                                      static_cast<int>(g->Bitmap.Store().Pitch()));
    const int32_t x = (i % kColumns) * kSize + g->GlyphLeft + g->CentringShift(kSize);
    placed.push_back({mask, x, (i / kColumns) * kSize + g->GlyphTop, g->Width(), g->Height()});
  }
  TDIBX surface;
  surface.SetSize(kColumns * kSize, kRows * kSize, 32);
  surface.Clear(0x203040);
  pixman_image_t* dest = pixman_image_create_bits(PIXMAN_x8r8g8b8, surface.Width(), surface.Height(),
                                                  reinterpret_cast<uint32_t*>(surface.Store().MutableBits()),
                                                  static_cast<int>(surface.Store().Pitch()));
  const pixman_color_t white = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
  pixman_image_t* solid = pixman_image_create_solid_fill(&white);
  for (auto _ : state)
    for (const Placed& p : placed)
      pixman_image_composite32(PIXMAN_OP_OVER, solid, p.mask, dest, 0, 0, 0, 0, p.x, p.y, p.w, p.h);
  pixman_image_unref(solid);
  pixman_image_unref(dest);
  for (auto& [code, mask] : masks) pixman_image_unref(mask);
}
BENCHMARK(BM_Pixman_WarmPage)->Unit(benchmark::kMicrosecond);

#endif

class RatioReporter : public bench::TimedReporter {
 public:
  using TimedReporter::TimedReporter;
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-30s %8s\n", "comparison", "ratio");
    Ratio("ColdKanji / FreeType", "BM_ColdKanji", "BM_FreeType_ColdKanji");
    Ratio("WarmPage / pixman", "BM_WarmPage", "BM_Pixman_WarmPage");
    Ratio("WarmPageBorder2 / WarmPage", "BM_WarmPageBorder2", "BM_WarmPage");
    Ratio("WarmPageShadow2 / WarmPage", "BM_WarmPageShadow2", "BM_WarmPage");
  }

 private:
  void Ratio(const char* label, const std::string& ours, const std::string& peer) {
    auto a = times_.find(ours), b = times_.find(peer);
    if (a != times_.end() && b != times_.end() && b->second > 0)
      std::printf("%-30s %8.2f\n", label, a->second / b->second);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter(bench::TimedReporter::Clock::kCpu);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

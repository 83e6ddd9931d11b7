#include "host/player_fonts.h"

#include <exception>
#include <future>

#include "common/cp932_code_table.h"
#include "common/encoding.h"
#include "platform/freetype_rasteriser.h"
#include "platform/headless/test_font_rasteriser.h"

namespace rivo {
namespace {

// Starting FreeType and fontconfig (which reads its whole font list) and
// reading the default faces takes milliseconds that the first page with text
// would otherwise spend: a worker does it while the game starts. It only
// makes the back end and hands it over; from then on the player thread alone
// uses it.
std::unique_ptr<FreeTypeRasteriser> StartFreeType() {
  auto fonts = std::make_unique<FreeTypeRasteriser>();
  // Text and labels fall back to these faces.
  for (const char* face : {"ＭＳ ゴシック", "ＭＳ Ｐゴシック"}) fonts->Preload(Utf8ToCp932(face));
  // The table character codes are looked up in, built once.
  Cp932CodeToUnicode(0x8140);
  return fonts;
}

// The FreeType back end, started ahead and taken when it is first asked for
// a font. When it cannot start, every font is missing: text is not drawn,
// and the reason is logged once.
class InstalledFonts final : public FontRasteriser {
 public:
  explicit InstalledFonts(std::ostream* log) : log_(log), starting_(std::async(std::launch::async, StartFreeType)) {}

  std::shared_ptr<RasterFont> Open(const FontRequest& request) override {
    FontRasteriser* fonts = Started();
    return fonts ? fonts->Open(request) : nullptr;
  }
  std::vector<std::string> InstalledFamilies(bool fixed_pitch) override {
    FontRasteriser* fonts = Started();
    return fonts ? fonts->InstalledFamilies(fixed_pitch) : std::vector<std::string>{};
  }

 private:
  FontRasteriser* Started() {
    if (!tried_) {
      tried_ = true;
      try {
        fonts_ = starting_.get();
      } catch (const std::exception& e) {
        if (log_) *log_ << "fonts: " << e.what() << "; text is not drawn\n";
      }
    }
    return fonts_.get();
  }

  std::ostream* log_;
  bool tried_ = false;
  std::future<std::unique_ptr<FreeTypeRasteriser>> starting_;
  std::unique_ptr<FontRasteriser> fonts_;
};

}  // namespace

PlayerFonts::PlayerFonts(bool test_fonts, std::ostream* log) : test_fonts_(test_fonts) {
  if (test_fonts)
    rasteriser_ = std::make_unique<TestFontRasteriser>();
  else
    rasteriser_ = std::make_unique<InstalledFonts>(log);
  glyphs_ = std::make_unique<TFontPixelManager>(*rasteriser_, log);
}

PlayerFonts::~PlayerFonts() = default;

GlyphAhead& PlayerFonts::Ahead() {
  if (!ahead_) {
    // The worker's own back end, of the same kind as the cache's.
    GlyphAhead::RasteriserMaker make;
    if (test_fonts_)
      make = [] { return std::make_unique<TestFontRasteriser>(); };
    else
      make = [] { return std::make_unique<FreeTypeRasteriser>(); };
    ahead_ = std::make_unique<GlyphAhead>(std::move(make));
    glyphs_->SetPrepared(ahead_.get());
  }
  return *ahead_;
}

}  // namespace rivo

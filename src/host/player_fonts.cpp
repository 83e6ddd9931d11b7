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
// uses it. The files it found are handed to the glyph worker as soon as
// they are (files_found), so that it does not start fontconfig a second
// time and is ready for the first scene's text.
std::unique_ptr<FreeTypeRasteriser> StartFreeType(std::promise<std::shared_ptr<FontFiles>>& files_found) {
  try {
    auto fonts = std::make_unique<FreeTypeRasteriser>();
    // Text and labels fall back to these faces.
    for (const char* face : {"ＭＳ ゴシック", "ＭＳ Ｐゴシック"}) fonts->Preload(Utf8ToCp932(face));
    files_found.set_value(fonts->Files());
    // The table character codes are looked up in, built once.
    Cp932CodeToUnicode(0x8140);
    return fonts;
  } catch (...) {
    files_found.set_exception(std::current_exception());
    throw;
  }
}

// The FreeType back end, started ahead and taken when it is first asked for
// a font. When it cannot start, every font is missing: text is not drawn,
// and the reason is logged once.
class InstalledFonts final : public FontRasteriser {
 public:
  explicit InstalledFonts(std::ostream* log)
      : log_(log),
        files_(files_found_.get_future().share()),
        starting_(std::async(std::launch::async, StartFreeType, std::ref(files_found_))) {}

  std::shared_ptr<RasterFont> Open(const FontRequest& request) override {
    FontRasteriser* fonts = Started();
    return fonts ? fonts->Open(request) : nullptr;
  }
  std::vector<std::string> InstalledFamilies(bool fixed_pitch) override {
    FontRasteriser* fonts = Started();
    return fonts ? fonts->InstalledFamilies(fixed_pitch) : std::vector<std::string>{};
  }

  // Makes the glyph worker's own back end on its thread, from the files the
  // start found and mapped; throws what the start threw.
  GlyphAhead::RasteriserMaker WorkersMaker() const {
    return [files = files_]() -> std::unique_ptr<FontRasteriser> {
      return std::make_unique<FreeTypeRasteriser>(files.get());
    };
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
  // Declared before the start, which sets it and is waited for first.
  std::promise<std::shared_ptr<FontFiles>> files_found_;
  std::shared_future<std::shared_ptr<FontFiles>> files_;
  std::future<std::unique_ptr<FreeTypeRasteriser>> starting_;
  std::unique_ptr<FontRasteriser> fonts_;
};

}  // namespace

PlayerFonts::PlayerFonts(bool test_fonts, std::ostream* log) {
  if (test_fonts) {
    rasteriser_ = std::make_unique<TestFontRasteriser>();
    workers_fonts_ = [] { return std::make_unique<TestFontRasteriser>(); };
  } else {
    auto installed = std::make_unique<InstalledFonts>(log);
    workers_fonts_ = installed->WorkersMaker();
    rasteriser_ = std::move(installed);
  }
  glyphs_ = std::make_unique<TFontPixelManager>(*rasteriser_, log);
}

PlayerFonts::~PlayerFonts() = default;

GlyphAhead& PlayerFonts::Ahead() {
  if (!ahead_) {
    ahead_ = std::make_unique<GlyphAhead>(workers_fonts_);
    glyphs_->SetPrepared(ahead_.get());
  }
  return *ahead_;
}

}  // namespace rivo

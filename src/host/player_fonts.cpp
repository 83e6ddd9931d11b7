#include "host/player_fonts.h"

#include <exception>

#include "platform/freetype_rasteriser.h"
#include "platform/headless/test_font_rasteriser.h"

namespace rivo {
namespace {

// Starts the FreeType back end when it is first asked for a font. When it
// cannot start, every font is missing: text is not drawn, and the reason
// is logged once.
class InstalledFonts final : public FontRasteriser {
 public:
  explicit InstalledFonts(std::ostream* log) : log_(log) {}

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
        fonts_ = std::make_unique<FreeTypeRasteriser>();
      } catch (const std::exception& e) {
        if (log_) *log_ << "fonts: " << e.what() << "; text is not drawn\n";
      }
    }
    return fonts_.get();
  }

  std::ostream* log_;
  bool tried_ = false;
  std::unique_ptr<FontRasteriser> fonts_;
};

}  // namespace

PlayerFonts::PlayerFonts(bool test_fonts, std::ostream* log) {
  if (test_fonts)
    rasteriser_ = std::make_unique<TestFontRasteriser>();
  else
    rasteriser_ = std::make_unique<InstalledFonts>(log);
  glyphs_ = std::make_unique<TFontPixelManager>(*rasteriser_, log);
}

PlayerFonts::~PlayerFonts() = default;

}  // namespace rivo

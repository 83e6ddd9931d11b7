#include "platform/freetype_rasteriser.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <tuple>

#include "common/cp932_code_table.h"
#include "platform/platform_error.h"

namespace rivo {
namespace {

// Windows opens a font of height 0 at its default size.
constexpr int32_t kDefaultHeight = 12;
// Open fonts kept for reuse; the glyph cache switches between a few faces
// and sizes, so a small number covers a page of mixed text.
constexpr std::size_t kMaxOpenFonts = 64;

struct Library {
  FT_Library handle = nullptr;
  Library() {
    if (FT_Init_FreeType(&handle) != 0) throw PlatformError("FreeType could not be initialised");
  }
  ~Library() { FT_Done_FreeType(handle); }
};

// One face of one font file, shared by every size opened on it.
struct Face {
  std::string key;  // the file and the face's index in it
  std::shared_ptr<Library> library;
  std::shared_ptr<const MappedFontFile> file;  // the bytes a face opened from memory reads
  FT_Face handle = nullptr;
  ~Face() {
    if (handle) FT_Done_Face(handle);
  }
};

char32_t CodePoint(uint16_t code) {
  if (code == 0x5C) return 0xA5;  // the yen sign of the Japanese system fonts
  return Cp932CodeToUnicode(code);
}

// FreeType's coverage 0-255 to the gray levels of an antialias level, rounded.
const std::array<uint8_t, 256>& QuantisingTable(int32_t level) {
  static const std::array<std::array<uint8_t, 256>, 4> tables = [] {
    std::array<std::array<uint8_t, 256>, 4> t{};
    for (int32_t l = 0; l < 4; ++l)
      for (uint32_t c = 0; c < 256; ++c)
        t[l][c] = static_cast<uint8_t>((c * static_cast<uint32_t>(MaxRawLevel(l)) + 127) / 255);
    return t;
  }();
  return tables[std::clamp(level, 0, 3)];
}

int32_t RoundPixels(double v) { return static_cast<int32_t>(std::lround(v)); }

class FreeTypeFont final : public RasterFont {
 public:
  FreeTypeFont(std::shared_ptr<Face> face, const FontRequest& request, bool face_is_bold)
      : face_(std::move(face)),
        embolden_((request.style & FS_BOLD) != 0 && !face_is_bold),
        oblique_((request.style & FS_ITALIC) != 0) {
    FT_Face f = face_->handle;
    if (FT_New_Size(f, &size_) != 0) throw PlatformError("FreeType cannot size a face");
    FT_Activate_Size(size_);
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    const double em = f->units_per_EM > 0 ? f->units_per_EM : 1000;
    double win_ascent = os2 ? os2->usWinAscent : f->ascender;
    double win_descent = os2 ? os2->usWinDescent : -f->descender;
    if (win_ascent + win_descent <= 0) {
      win_ascent = em * 0.88;
      win_descent = em * 0.12;
    }
    int32_t height = request.height == 0 ? kDefaultHeight : request.height;
    height = std::clamp(height, -kMaxFontHeight, kMaxFontHeight);
    const double ppem = height > 0 ? height * em / (win_ascent + win_descent) : -height;
    const FT_UInt pixels = static_cast<FT_UInt>(std::max<long>(1, std::lround(ppem)));
    FT_Set_Pixel_Sizes(f, 0, pixels);
    const double scale = pixels / em;
    identity_ = face_->key + '|' + std::to_string(pixels) + (embolden_ ? "|bold" : "|") + (oblique_ ? "|oblique" : "|");

    metrics_.ascent = RoundPixels(win_ascent * scale);
    metrics_.descent = height > 0 ? height - metrics_.ascent : RoundPixels(win_descent * scale);
    metrics_.height = metrics_.ascent + metrics_.descent;
    metrics_.internal_leading = std::max(0, metrics_.height - static_cast<int32_t>(pixels));
    metrics_.average_width = os2 ? RoundPixels(os2->xAvgCharWidth * scale) : static_cast<int32_t>(pixels / 2);
    metrics_.max_width = RoundPixels((f->bbox.xMax - f->bbox.xMin) * scale);
    metrics_.weight = (request.style & FS_BOLD) ? 700 : 400;
    metrics_.italic = oblique_;
    metrics_.fixed_pitch = FT_IS_FIXED_WIDTH(f) || (os2 && os2->panose[3] == 9);
    metrics_.em_square = static_cast<int32_t>(em);
    metrics_.underscore_size = std::max(1, RoundPixels(f->underline_thickness * scale));
    metrics_.underscore_position = RoundPixels(f->underline_position * scale);
    if (os2 && os2->yStrikeoutSize > 0) {
      metrics_.strikeout_size = std::max(1, RoundPixels(os2->yStrikeoutSize * scale));
      metrics_.strikeout_position = RoundPixels(os2->yStrikeoutPosition * scale);
    } else {
      metrics_.strikeout_size = metrics_.underscore_size;
      metrics_.strikeout_position = metrics_.ascent / 3;
    }
  }
  ~FreeTypeFont() override { FT_Done_Size(size_); }

  const FontMetrics& Metrics() const override { return metrics_; }
  std::string_view Identity() const override { return identity_; }

  bool Render(uint16_t code, int32_t level, RasterGlyph& out) override {
    const bool mono = level <= 0;
    if (!Load(code, mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL)) return false;
    FT_GlyphSlot slot = face_->handle->glyph;
    // Two-level glyphs are hinted for another target than the widths are measured at.
    const std::optional<AbcWidths> abc = mono ? std::nullopt : std::optional(LoadedAbcWidths());
    if (FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return false;
    const FT_Bitmap& bitmap = slot->bitmap;
    out = RasterGlyph{};
    out.abc = abc;
    out.advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
    if (bitmap.width == 0 || bitmap.rows == 0) return true;
    out.width = static_cast<int32_t>(bitmap.width);
    out.height = static_cast<int32_t>(bitmap.rows);
    out.origin_x = slot->bitmap_left;
    out.origin_y = slot->bitmap_top;
    out.levels.resize(static_cast<std::size_t>(out.width) * out.height);
    const std::array<uint8_t, 256>& quantise = QuantisingTable(level);
    for (int32_t y = 0; y < out.height; ++y) {
      const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
      uint8_t* dst = out.levels.data() + static_cast<std::size_t>(y) * out.width;
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        for (int32_t x = 0; x < out.width; ++x) dst[x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
      } else {
        for (int32_t x = 0; x < out.width; ++x) dst[x] = quantise[row[x]];
      }
    }
    return true;
  }

  int32_t TextWidth(uint16_t code) override {
    if (!Load(code, FT_LOAD_TARGET_NORMAL)) return 0;
    return static_cast<int32_t>((face_->handle->glyph->advance.x + 32) >> 6);
  }

  AbcWidths CharAbcWidths(uint16_t code) override {
    if (!Load(code, FT_LOAD_TARGET_NORMAL)) return {};
    return LoadedAbcWidths();
  }

 private:
  // The widths of the glyph the last Load at FT_LOAD_TARGET_NORMAL put in the slot.
  AbcWidths LoadedAbcWidths() const {
    AbcWidths abc;
    const FT_GlyphSlot slot = face_->handle->glyph;
    const int32_t advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
    if (slot->metrics.width > 0) {
      const FT_Pos left = slot->metrics.horiBearingX;
      abc.a = static_cast<int32_t>(left >> 6);  // floor
      abc.b = static_cast<int32_t>((left + slot->metrics.width + 63) >> 6) - abc.a;
    }
    abc.c = advance - abc.a - abc.b;
    return abc;
  }

  // Free fonts draw U+00A5 full-width; the yen sign that stands for 0x5C
  // keeps the width of the backslash, so it is narrowed to that.
  FT_Fixed YenNarrowing() {
    if (yen_narrowing_ == 0) {
      FT_Face f = face_->handle;
      yen_narrowing_ = 0x10000;
      const FT_UInt backslash = FT_Get_Char_Index(f, 0x5C), yen = FT_Get_Char_Index(f, 0xA5);
      FT_Fixed narrow = 0, wide = 0;
      if (backslash && yen && FT_Load_Glyph(f, backslash, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) == 0) {
        narrow = f->glyph->linearHoriAdvance;
        if (FT_Load_Glyph(f, yen, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) == 0) wide = f->glyph->linearHoriAdvance;
      }
      if (narrow > 0 && wide > narrow) yen_narrowing_ = FT_DivFix(narrow, wide);
    }
    return yen_narrowing_;
  }

  bool Load(uint16_t code, FT_Int32 target) {
    FT_Face f = face_->handle;
    FT_Activate_Size(size_);
    const FT_UInt index = FT_Get_Char_Index(f, CodePoint(code));
    FT_Matrix squeeze = {code == 0x5C ? YenNarrowing() : 0x10000, 0, 0, 0x10000};
    FT_Set_Transform(f, &squeeze, nullptr);
    const FT_Error error = FT_Load_Glyph(f, index, FT_LOAD_NO_BITMAP | target);
    FT_Set_Transform(f, nullptr, nullptr);
    if (error != 0) return false;
    if (f->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return true;
    if (oblique_) FT_GlyphSlot_Oblique(f->glyph);
    if (embolden_) FT_GlyphSlot_Embolden(f->glyph);
    return true;
  }

  std::shared_ptr<Face> face_;
  FT_Size size_ = nullptr;
  bool embolden_;
  bool oblique_;
  FT_Fixed yen_narrowing_ = 0;  // measured on first use
  FontMetrics metrics_;
  std::string identity_;
};

}  // namespace

struct FreeTypeRasteriser::Impl {
  std::shared_ptr<Library> library = std::make_shared<Library>();
  std::shared_ptr<FontFiles> files;
  std::map<std::pair<std::string, int>, std::shared_ptr<Face>> faces;
  std::map<std::tuple<std::string, int32_t, uint8_t>, std::shared_ptr<RasterFont>> fonts;

  std::shared_ptr<Face> OpenFace(const FontFile& file) {
    auto key = std::make_pair(file.path.string(), file.index);
    auto it = faces.find(key);
    if (it != faces.end()) return it->second;
    auto face = std::make_shared<Face>();
    face->key = key.first + '#' + std::to_string(key.second);
    face->library = library;
    face->file = files->Map(key.first);
    const std::span<const uint8_t> bytes = face->file->Bytes();
    // Where the file cannot be mapped, FreeType reads it its own way.
    const FT_Error error =
        bytes.empty() ? FT_New_Face(library->handle, key.first.c_str(), file.index, &face->handle)
                      : FT_New_Memory_Face(library->handle, bytes.data(), static_cast<FT_Long>(bytes.size()),
                                           file.index, &face->handle);
    if (error != 0 || !FT_IS_SCALABLE(face->handle)) {
      face = nullptr;  // remembered, so a broken file is not read again
    }
    faces.emplace(key, face);
    return face;
  }
};

FreeTypeRasteriser::FreeTypeRasteriser() : FreeTypeRasteriser(std::make_shared<FontFiles>()) {}

FreeTypeRasteriser::FreeTypeRasteriser(std::shared_ptr<FontFiles> files) : impl_(std::make_unique<Impl>()) {
  impl_->files = std::move(files);
}
FreeTypeRasteriser::~FreeTypeRasteriser() = default;

const std::shared_ptr<FontFiles>& FreeTypeRasteriser::Files() const { return impl_->files; }

std::optional<FontFile> FreeTypeRasteriser::Resolve(std::string_view face_cp932, bool bold) {
  return impl_->files->Resolve(face_cp932, bold);
}

void FreeTypeRasteriser::Preload(std::string_view face_cp932) {
  if (std::optional<FontFile> file = Resolve(face_cp932, false)) impl_->OpenFace(*file);
}

std::shared_ptr<RasterFont> FreeTypeRasteriser::Open(const FontRequest& request) {
  auto key = std::make_tuple(request.face, request.height, request.style);
  auto it = impl_->fonts.find(key);
  if (it != impl_->fonts.end()) return it->second;
  const bool bold = (request.style & FS_BOLD) != 0;
  std::optional<FontFile> file = Resolve(request.face, bold);
  if (!file) return nullptr;
  std::shared_ptr<Face> face = impl_->OpenFace(*file);
  if (!face) return nullptr;
  auto font = std::make_shared<FreeTypeFont>(std::move(face), request, file->bold);
  if (impl_->fonts.size() >= kMaxOpenFonts) impl_->fonts.clear();
  impl_->fonts.emplace(key, font);
  return font;
}

std::vector<std::string> FreeTypeRasteriser::InstalledFamilies(bool fixed_pitch) {
  return impl_->files->Families(fixed_pitch);
}

}  // namespace rivo

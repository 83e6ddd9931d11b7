#include "graphics/dib.h"

#include <cstring>
#include <limits>
#include <utility>

#include "common/error.h"
#include "graphics/bmp_codec.h"

namespace rivo {
namespace {

constexpr const char* kCannotCreate = "%s を作成できません";

[[noreturn]] void RefuseSize() { throw RivoError(kCannotCreate, "DIB"); }

TPixelFormat FormatFor(int32_t bit_count) {
  if (bit_count == 15) return TPixelFormat::Rgb555();
  if (bit_count == 16) return TPixelFormat::Rgb565();
  return TPixelFormat::Rgb888();
}

bool ValidBitCount(int32_t bit_count) {
  switch (bit_count) {
    case 1: case 4: case 8: case 15: case 16: case 24: case 32: return true;
    default: return false;
  }
}

}  // namespace

int64_t DibRowLength(int64_t width, int32_t bit_count) { return (width * bit_count + 31) / 32 * 4; }

int32_t TDIB::EffectiveBitCount() const {
  return bit_count_ == 16 && format_.green_mask == 0x3E0 ? 15 : bit_count_;
}

void TDIB::SetSize(int32_t width, int32_t height, int32_t bit_count) { Resize(width, height, bit_count, true); }

void TDIB::SetSizeForOverwrite(int32_t width, int32_t height, int32_t bit_count) {
  Resize(width, height, bit_count, false);
}

void TDIB::Resize(int32_t width, int32_t height, int32_t bit_count, bool zeroed) {
  if (!ValidBitCount(bit_count)) RefuseSize();
  const TPixelFormat format = FormatFor(bit_count);
  const int32_t stored = bit_count == 15 ? 16 : bit_count;
  if (width == width_ && height == height_ && stored == bit_count_ && format == format_) return;
  if (width <= 0 || height <= 0) {
    bit_count_ = stored;
    format_ = format;
    Clear();
    return;
  }
  if (width > kMaxPictureSide || height > kMaxPictureSide ||
      int64_t{width} * height > kMaxPicturePixels)
    RefuseSize();
  width_ = width;
  height_ = height;
  bit_count_ = stored;
  format_ = format;
  row_length_ = static_cast<int32_t>(DibRowLength(width, stored));
  image_ = zeroed ? std::make_shared<uint8_t[]>(ImageBytes()) : std::make_shared_for_overwrite<uint8_t[]>(ImageBytes());
}

void TDIB::Clear() {
  width_ = height_ = row_length_ = 0;
  image_.reset();
}

void TDIB::Unshare() {
  if (!image_ || image_.use_count() == 1) return;
  std::shared_ptr<uint8_t[]> own = std::make_shared_for_overwrite<uint8_t[]>(ImageBytes());
  std::memcpy(own.get(), image_.get(), ImageBytes());
  image_ = std::move(own);
}

uint8_t* TDIB::MutableBits() {
  Unshare();
  return image_.get();
}

const uint8_t* TDIB::ScanLine(int32_t y) const {
  if (y < 0 || y >= height_) {
    std::string text = "スキャンラインのインデックスが範囲を越えました (%d)";
    text.replace(text.find("%d"), 2, std::to_string(y));
    throw RivoError(text);
  }
  return image_.get() + static_cast<std::ptrdiff_t>(y) * row_length_;
}

uint8_t* TDIB::ScanLine(int32_t y) {
  // The place before Unshare: the row lies at the same offset of the own copy.
  const std::ptrdiff_t offset = std::as_const(*this).ScanLine(y) - Bits();
  Unshare();
  return image_.get() + offset;
}

uint32_t TDIB::ReadPixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return RowPixel(Bits() + static_cast<std::ptrdiff_t>(y) * row_length_, x, bit_count_);
}

void TDIB::WritePixel(int32_t x, int32_t y, uint32_t value) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  SetRowPixel(MutableBits() + static_cast<std::ptrdiff_t>(y) * row_length_, x, bit_count_, value);
}

uint32_t TDIB::NearestPaletteIndex(uint32_t r, uint32_t g, uint32_t b) const {
  const int32_t count = bit_count_ <= 8 ? PaletteSize() : 256;
  uint32_t best = 0;
  int64_t best_distance = std::numeric_limits<int64_t>::max();
  for (int32_t i = 0; i < count; ++i) {
    const int64_t dr = int64_t{palette_[i].red} - r, dg = int64_t{palette_[i].green} - g,
                  db = int64_t{palette_[i].blue} - b;
    const int64_t distance = dr * dr + dg * dg + db * db;
    if (distance < best_distance) {
      best_distance = distance;
      best = static_cast<uint32_t>(i);
    }
  }
  return best;
}

void TDIB::SetBitCount(int32_t bit_count) {
  if (!ValidBitCount(bit_count)) RefuseSize();
  const int32_t stored = bit_count == 15 ? 16 : bit_count;
  if (stored == bit_count_ && FormatFor(bit_count) == format_) return;
  TDIB converted;
  converted.palette_ = palette_;
  converted.bit_count_ = stored;
  converted.format_ = FormatFor(bit_count);
  if (IsEmpty()) {
    *this = converted;
    return;
  }
  converted.SetSize(width_, height_, bit_count);
  for (int32_t y = 0; y < height_; ++y) {
    for (int32_t x = 0; x < width_; ++x) {
      const uint32_t v = ReadPixel(x, y);
      uint32_t r, g, b;
      if (bit_count_ <= 8) {
        const TRgbQuad& entry = palette_[v];
        r = entry.red, g = entry.green, b = entry.blue;
      } else {
        format_.Split(v, r, g, b);
      }
      converted.WritePixel(x, y, stored <= 8 ? converted.NearestPaletteIndex(r, g, b)
                                             : converted.format_.Pack(r, g, b));
    }
  }
  *this = std::move(converted);
}

void TDIB::LoadFromStream(std::string_view bytes, const std::string& name) {
  if (bytes.empty()) return;
  *this = ReadBitmapFile(bytes, name);
}

std::string TDIB::SaveToStream() const { return WriteBitmapFile(*this); }

}  // namespace rivo

#pragma once
// TDIB: a device-independent picture in plain memory: size, bit count
// (1, 4, 8, 16, 24 or 32), channel layout, a 256-entry palette and the rows.
//
// Rows are kept top-down (row y at Bits() + y * Pitch()), each padded to a
// multiple of 4 bytes as bitmap files store them; the file codec turns them
// around. Copies share the pixel memory until one of them writes (any
// mutable row access makes the memory private first).

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/pixel_format.h"

namespace rivo {

// One palette entry as bitmap files store it.
struct TRgbQuad {
  uint8_t blue = 0, green = 0, red = 0, reserved = 0;
  friend bool operator==(const TRgbQuad&, const TRgbQuad&) = default;
};
using TPalette = std::array<TRgbQuad, 256>;

// Pictures larger than this are refused: a damaged header must not be able
// to ask for gigabytes.
inline constexpr int32_t kMaxPictureSide = 32768;
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 26;

class TDIB {
 public:
  TDIB() = default;

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
  // Stored bit count: 16 for both 5-5-5 and 5-6-5.
  int32_t BitCount() const { return bit_count_; }
  // 15 for the 5-5-5 layout, else the stored bit count.
  int32_t EffectiveBitCount() const;
  const TPixelFormat& Format() const { return format_; }
  // Bytes per row, padded to 4.
  int32_t RowLength() const { return row_length_; }
  std::ptrdiff_t Pitch() const { return row_length_; }

  // Width or height <= 0 empties the store. 15 gives 16 bits with 5-5-5,
  // 16 gives 5-6-5, every other count 8-8-8. New pixels are 0; the palette
  // stays. Nothing happens when the geometry is unchanged.
  void SetSize(int32_t width, int32_t height, int32_t bit_count);
  // SetSize for a caller that writes every byte of every row, the rows'
  // padding included, before anything reads them: new pixels are not
  // zeroed first (a picture's frames, copied whole).
  void SetSizeForOverwrite(int32_t width, int32_t height, int32_t bit_count);
  void Clear();

  const TPalette& Palette() const { return palette_; }
  TPalette& Palette() { return palette_; }
  // 2^bit count for palette pictures, else 0.
  int32_t PaletteSize() const { return bit_count_ <= 8 ? 1 << bit_count_ : 0; }

  // Row y (0 = top). Outside the picture: "スキャンラインのインデックスが範囲を越えました (%d)".
  const uint8_t* ScanLine(int32_t y) const;
  uint8_t* ScanLine(int32_t y);
  // The top row (null for an empty store); rows follow at Pitch().
  const uint8_t* Bits() const { return image_.get(); }
  uint8_t* MutableBits();

  // Reads give 0 and writes are ignored outside the picture.
  uint32_t ReadPixel(int32_t x, int32_t y) const;
  void WritePixel(int32_t x, int32_t y, uint32_t value);

  // Converts the pixels to another bit count. Between packed formats each
  // pixel is split into components and packed again; palette pictures
  // expand through the palette; packed pictures become palette indices of
  // the nearest entry of the current palette.
  void SetBitCount(int32_t bit_count);

  // The nearest of the first PaletteSize() entries (the first one on a tie).
  uint32_t NearestPaletteIndex(uint32_t r, uint32_t g, uint32_t b) const;

  // Reads a Windows bitmap file; an empty input leaves the store unchanged.
  // A malformed file raises LoadError "不正な DIB です" naming name.
  void LoadFromStream(std::string_view bytes, const std::string& name);
  // Writes a Windows bitmap file (nothing for an empty store).
  std::string SaveToStream() const;

 private:
  void Resize(int32_t width, int32_t height, int32_t bit_count, bool zeroed);
  void Unshare();
  std::size_t ImageBytes() const { return static_cast<std::size_t>(row_length_) * static_cast<std::size_t>(height_); }

  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t bit_count_ = 32;
  TPixelFormat format_ = TPixelFormat::Rgb888();
  int32_t row_length_ = 0;
  TPalette palette_{};
  // ImageBytes() bytes, shared by copies until one of them writes.
  std::shared_ptr<uint8_t[]> image_;
};

// Bytes of one stored row: ((width * bit count + 31) div 32) * 4.
int64_t DibRowLength(int64_t width, int32_t bit_count);

// Pixel x of a stored row: 1-bit pixels are packed leftmost in the most
// significant bit, 4-bit pixels leftmost in the high nibble; 16, 24 and 32
// bits are little-endian (bytes B, G, R[, X]).
inline uint32_t RowPixel(const uint8_t* row, int32_t x, int32_t bit_count) {
  switch (bit_count) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
    case 8: return row[x];
    case 16: return row[2 * x] | row[2 * x + 1] << 8;
    case 24: return row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
    default:
      return row[4 * x] | row[4 * x + 1] << 8 | row[4 * x + 2] << 16 |
             static_cast<uint32_t>(row[4 * x + 3]) << 24;
  }
}

// Stores the low bits of value that the format holds.
inline void SetRowPixel(uint8_t* row, int32_t x, int32_t bit_count, uint32_t value) {
  switch (bit_count) {
    case 1: {
      const auto bit = static_cast<uint8_t>(0x80 >> (x & 7));
      row[x >> 3] = static_cast<uint8_t>((value & 1) ? row[x >> 3] | bit : row[x >> 3] & ~bit);
      break;
    }
    case 4: {
      uint8_t& b = row[x >> 1];
      b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | (value & 0xF))
                  : static_cast<uint8_t>((b & 0x0F) | (value & 0xF) << 4);
      break;
    }
    default: {
      const int bytes = bit_count / 8;
      for (int i = 0; i < bytes; ++i) row[bytes * x + i] = static_cast<uint8_t>(value >> (8 * i));
      break;
    }
  }
}

}  // namespace rivo

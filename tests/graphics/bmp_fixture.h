#pragma once
// Writes Windows bitmap files of every kind the reader accepts, for tests:
// every bit count, bottom-up or top-down rows, OS/2 headers, the longer
// Windows headers of today's editors, bit fields and run-length encoding.
// Independent of the player's own writer.

#include <cstdint>
#include <string>
#include <vector>

namespace rivo::testing {

struct BmpLayout {
  int32_t width = 0;
  int32_t height = 0;
  int32_t bit_count = 24;
  bool top_down = false;
  bool core_header = false;  // 12-byte OS/2 header, 3-byte colour entries
  bool rle = false;          // RLE8 for 8 bits, RLE4 for 4 bits
  bool rle_skips = false;    // trailing zero pixels left to the end-of-line code
  bool bit_fields = false;
  uint32_t masks[3] = {0, 0, 0};
  // Windows header size: 40, or 52, 56, 108, 124 with the masks inside the
  // header (56 and up add alpha_mask, 108 and up an sRGB colour space).
  int32_t header_size = 40;
  uint32_t alpha_mask = 0;
  int32_t gap = 0;  // bytes between the colour table and the rows (data offset honours them)
  std::vector<uint32_t> palette;  // 0x00RRGGBB per entry
  std::vector<uint32_t> pixels;   // row-major from the top, raw pixel values
};

std::string WriteBmp(const BmpLayout& layout);

// A deterministic picture of the layout's size whose values fit the bit count,
// with runs of equal values so that run-length encoding has work to do.
std::vector<uint32_t> PatternPixels(int32_t width, int32_t height, int32_t bit_count);
std::vector<uint32_t> GreyRampPalette(int32_t entries);

}  // namespace rivo::testing

#include "graphics/bmp_fixture.h"

namespace rivo::testing {
namespace {

void Put16(std::string& s, uint32_t v) {
  s.push_back(static_cast<char>(v));
  s.push_back(static_cast<char>(v >> 8));
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, v);
  Put16(s, v >> 16);
}

std::string PackedRow(const BmpLayout& layout, int32_t y) {
  const int32_t row_length = (layout.width * layout.bit_count + 31) / 32 * 4;
  std::string row(static_cast<std::size_t>(row_length), '\0');
  for (int32_t x = 0; x < layout.width; ++x) {
    const uint32_t v = layout.pixels[static_cast<std::size_t>(y * layout.width + x)];
    switch (layout.bit_count) {
      case 1: row[x / 8] = static_cast<char>(row[x / 8] | (v & 1) << (7 - x % 8)); break;
      case 4: row[x / 2] = static_cast<char>(row[x / 2] | (v & 15) << (x % 2 ? 0 : 4)); break;
      default:
        for (int b = 0; b < layout.bit_count / 8; ++b)
          row[static_cast<std::size_t>(x * layout.bit_count / 8 + b)] = static_cast<char>(v >> (8 * b));
    }
  }
  return row;
}

// Encoded runs for repeats, absolute runs (at least 3 values) for the rest.
std::string RleRow(const BmpLayout& layout, int32_t y) {
  const bool four = layout.bit_count == 4;
  std::string out;
  const uint32_t* p = &layout.pixels[static_cast<std::size_t>(y * layout.width)];
  int32_t x = 0;
  while (x < layout.width) {
    int32_t zeros = 0;
    while (layout.rle_skips && x + zeros < layout.width && p[x + zeros] == 0) ++zeros;
    if (x + zeros == layout.width && zeros > 0) break;  // skipped pixels read as index 0
    int32_t run = 1;
    while (x + run < layout.width && run < 255 && p[x + run] == p[x]) ++run;
    int32_t n = 1;  // values that do not repeat
    while (x + n < layout.width && n < 255 &&
           !(x + n + 1 < layout.width && p[x + n] == p[x + n + 1]))
      ++n;
    if (run >= 2 || n < 3) {
      out.push_back(static_cast<char>(run));
      out.push_back(static_cast<char>(four ? (p[x] << 4 | p[x]) : p[x]));
      x += run;
      continue;
    }
    out.push_back(0);
    out.push_back(static_cast<char>(n));
    std::string bytes;
    for (int32_t i = 0; i < n; ++i) {
      if (four) {
        if (i % 2 == 0) bytes.push_back(static_cast<char>(p[x + i] << 4));
        else bytes.back() = static_cast<char>(bytes.back() | p[x + i]);
      } else {
        bytes.push_back(static_cast<char>(p[x + i]));
      }
    }
    if (bytes.size() % 2) bytes.push_back(0);
    out += bytes;
    x += n;
  }
  out.push_back(0);
  out.push_back(0);
  return out;
}

}  // namespace

std::string WriteBmp(const BmpLayout& layout) {
  std::string table;
  for (uint32_t c : layout.palette) {
    table.push_back(static_cast<char>(c));
    table.push_back(static_cast<char>(c >> 8));
    table.push_back(static_cast<char>(c >> 16));
    if (!layout.core_header) table.push_back(0);
  }
  std::string data;
  if (layout.rle) {
    for (int32_t y = layout.height - 1; y >= 0; --y) data += RleRow(layout, y);
    data.push_back(0);
    data.push_back(1);
  } else {
    for (int32_t i = 0; i < layout.height; ++i)
      data += PackedRow(layout, layout.top_down ? i : layout.height - 1 - i);
  }
  std::string header;
  if (layout.core_header) {
    Put32(header, 12);
    Put16(header, static_cast<uint32_t>(layout.width));
    Put16(header, static_cast<uint32_t>(layout.height));
    Put16(header, 1);
    Put16(header, static_cast<uint32_t>(layout.bit_count));
  } else {
    Put32(header, static_cast<uint32_t>(layout.header_size));
    Put32(header, static_cast<uint32_t>(layout.width));
    Put32(header, static_cast<uint32_t>(layout.top_down ? -layout.height : layout.height));
    Put16(header, 1);
    Put16(header, static_cast<uint32_t>(layout.bit_count));
    Put32(header, layout.rle ? (layout.bit_count == 8 ? 1 : 2) : layout.bit_fields ? 3 : 0);
    Put32(header, static_cast<uint32_t>(data.size()));
    Put32(header, 2835);
    Put32(header, 2835);
    Put32(header, static_cast<uint32_t>(layout.palette.size()));
    Put32(header, 0);
    if (layout.bit_fields || layout.header_size > 40)
      for (uint32_t m : layout.masks) Put32(header, m);
    if (layout.header_size >= 56) Put32(header, layout.alpha_mask);
    if (layout.header_size >= 108) Put32(header, 0x73524742);  // "sRGB"
    if (layout.header_size > 40) header.resize(static_cast<std::size_t>(layout.header_size), '\0');
  }
  std::string file = "BM";
  const auto offset = static_cast<uint32_t>(14 + header.size() + table.size() + static_cast<std::size_t>(layout.gap));
  Put32(file, offset + static_cast<uint32_t>(data.size()));
  Put32(file, 0);
  Put32(file, offset);
  return file + header + table + std::string(static_cast<std::size_t>(layout.gap), '\x5A') + data;
}

std::vector<uint32_t> PatternPixels(int32_t width, int32_t height, int32_t bit_count) {
  const uint64_t limit = bit_count >= 32 ? 0x100000000ull : 1ull << bit_count;
  std::vector<uint32_t> pixels;
  uint32_t state = 12345;
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      if (x % 5 < 2 && x > 0) {  // repeats for the run-length coder
        pixels.push_back(pixels.back());
        continue;
      }
      state = state * 1103515245u + 12345u;
      pixels.push_back(static_cast<uint32_t>((state >> 4) % limit));
    }
  return pixels;
}

std::vector<uint32_t> GreyRampPalette(int32_t entries) {
  std::vector<uint32_t> palette;
  for (int32_t i = 0; i < entries; ++i) {
    const uint32_t v = static_cast<uint32_t>(entries == 1 ? 0 : i * 255 / (entries - 1));
    palette.push_back(v << 16 | ((v * 7) & 0xFF) << 8 | (255 - v));
  }
  return palette;
}

}  // namespace rivo::testing

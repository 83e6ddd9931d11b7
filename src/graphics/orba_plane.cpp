#include "graphics/orba_plane.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

#include "common/byte_reader.h"
#include "common/qn_random.h"
#include "graphics/rect.h"

namespace rivo {
namespace {

// The tiles of a plane, row by row; tiles at the right and bottom edges are
// cut to the picture.
struct TileGrid {
  int64_t tile_width, tile_height, columns, rows;
  int64_t width, height;

  TileGrid(const TDIB& plane, const TPlaneLayout& layout)
      : tile_width(layout.tile_width), tile_height(layout.tile_height),
        columns((plane.Width() + tile_width - 1) / tile_width),
        rows((plane.Height() + tile_height - 1) / tile_height),
        width(plane.Width()), height(plane.Height()) {}

  int64_t Count() const { return columns * rows; }
  TRect Tile(int64_t position) const {
    const int64_t left = position % columns * tile_width, top = position / columns * tile_height;
    return {static_cast<int32_t>(left), static_cast<int32_t>(top),
            static_cast<int32_t>(std::min(left + tile_width, width)),
            static_cast<int32_t>(std::min(top + tile_height, height))};
  }
};

// Bytes of one stored row of a tile w pixels wide.
std::size_t TileRowBytes(int64_t width, int32_t bits) {
  return static_cast<std::size_t>((bits * width + 7) / 8);
}

// Copies a width x height block between planes of one bit count; 1- and
// 4-bit pixels are moved one by one since tiles start at any bit.
void CopyBlock(const uint8_t* from, std::ptrdiff_t from_pitch, int32_t fx, int32_t fy, uint8_t* to,
               std::ptrdiff_t to_pitch, int32_t tx, int32_t ty, int32_t width, int32_t height,
               int32_t bits) {
  for (int32_t r = 0; r < height; ++r) {
    const uint8_t* s = from + (fy + r) * from_pitch;
    uint8_t* d = to + (ty + r) * to_pitch;
    if (bits >= 8) {
      const int32_t bytes = bits / 8;
      std::memmove(d + tx * bytes, s + fx * bytes, static_cast<std::size_t>(width) * bytes);
      continue;
    }
    for (int32_t j = 0; j < width; ++j) SetRowPixel(d, tx + j, bits, RowPixel(s, fx + j, bits));
  }
}

void DecodeRows(std::string_view raw, TDIB& plane, const TPlaneLayout& layout,
                const std::string& name) {
  const auto row_length = static_cast<std::size_t>(plane.RowLength());
  const auto height = static_cast<std::size_t>(plane.Height());
  if (raw.size() / row_length < height) throw LoadError(name, "plane data ends early");
  uint8_t* bits = plane.MutableBits();
  if (!layout.scrambled || layout.key == 0) {
    std::memcpy(bits, raw.data(), row_length * height);
    return;
  }
  const std::vector<int32_t> order = KeyedShuffle(static_cast<uint32_t>(layout.key), plane.Height());
  for (std::size_t i = 0; i < height; ++i)
    std::memcpy(bits + static_cast<std::size_t>(order[i]) * row_length, raw.data() + i * row_length,
                row_length);
}

void DecodeTiles(std::string_view raw, TDIB& plane, const TPlaneLayout& layout,
                 const TTileSource& earlier, const std::string& name) {
  ByteReader in(raw, name);
  const TileGrid grid(plane, layout);
  const std::size_t count = in.Count(grid.Count(), 8);
  struct Entry {
    int32_t kind = 0, index = 0;
  };
  std::vector<Entry> table(count);
  std::vector<int32_t> order(count);
  if (layout.scrambled) order = KeyedShuffle(static_cast<uint32_t>(layout.key), static_cast<int32_t>(count));
  else std::iota(order.begin(), order.end(), 0);
  for (std::size_t i = 0; i < count; ++i) {
    Entry& e = table[static_cast<std::size_t>(order[i])];
    e.kind = in.I32();
    e.index = in.I32();
  }

  const int32_t bits = plane.BitCount();
  uint8_t* pixels = plane.MutableBits();
  const std::ptrdiff_t pitch = plane.Pitch();
  std::vector<bool> filled(count, false);
  for (std::size_t p = 0; p < count; ++p) {
    const TRect tile = grid.Tile(static_cast<int64_t>(p));
    const Entry e = table[p];
    if (e.kind == -1) {
      const std::size_t row_bytes = TileRowBytes(tile.Width(), bits);
      for (int32_t r = 0; r < tile.Height(); ++r) {
        const auto* row = reinterpret_cast<const uint8_t*>(in.View(row_bytes).data());
        CopyBlock(row, 0, 0, 0, pixels + (tile.Top + r) * pitch, 0, tile.Left, 0, tile.Width(), 1,
                  bits);
      }
      filled[p] = true;
    } else if (e.kind == -2) {
      if (e.index < 0 || static_cast<std::size_t>(e.index) >= count || !filled[static_cast<std::size_t>(e.index)])
        continue;
      const TRect from = grid.Tile(e.index);
      CopyBlock(pixels, pitch, from.Left, from.Top, pixels, pitch, tile.Left, tile.Top,
                std::min(from.Width(), tile.Width()), std::min(from.Height(), tile.Height()), bits);
      filled[p] = true;
    } else if (e.kind >= 0) {
      const TDIB* source = earlier ? earlier(e.kind, e.index) : nullptr;
      if (!source || source->Width() != plane.Width() || source->Height() != plane.Height() ||
          source->BitCount() != bits || source->Format() != plane.Format())
        continue;
      CopyBlock(source->Bits(), source->Pitch(), tile.Left, tile.Top, pixels, pitch, tile.Left,
                tile.Top, tile.Width(), tile.Height(), bits);
      filled[p] = true;
    } else {
      throw LoadError(name, "unknown tile kind");
    }
  }
}

}  // namespace

std::size_t RawPlaneSize(const TDIB& plane, const TPlaneLayout& layout) {
  if (!layout.Tiled())
    return static_cast<std::size_t>(plane.RowLength()) * static_cast<std::size_t>(plane.Height());
  const TileGrid grid(plane, layout);
  // Every tile column holds its row bytes in every picture row.
  const int64_t last = grid.width - (grid.columns - 1) * grid.tile_width;
  const int64_t per_row = grid.columns == 0 ? 0
      : (grid.columns - 1) * static_cast<int64_t>(TileRowBytes(grid.tile_width, plane.BitCount())) +
            static_cast<int64_t>(TileRowBytes(last, plane.BitCount()));
  return static_cast<std::size_t>(grid.Count() * 8 + per_row * grid.height);
}

void DecodeRawPlane(std::string_view raw, TDIB& plane, const TPlaneLayout& layout,
                    const TTileSource& earlier, const std::string& name) {
  if (plane.IsEmpty()) return;
  if (layout.Tiled()) DecodeTiles(raw, plane, layout, earlier, name);
  else DecodeRows(raw, plane, layout, name);
}

std::string EncodeRawPlane(const TDIB& plane, int32_t key) {
  if (plane.IsEmpty()) return {};
  const auto row_length = static_cast<std::size_t>(plane.RowLength());
  std::string out(row_length * static_cast<std::size_t>(plane.Height()), '\0');
  const std::vector<int32_t> order = KeyedShuffle(static_cast<uint32_t>(key), plane.Height());
  for (std::size_t i = 0; i < order.size(); ++i)
    std::memcpy(out.data() + i * row_length, plane.ScanLine(order[i]), row_length);
  return out;
}

}  // namespace rivo

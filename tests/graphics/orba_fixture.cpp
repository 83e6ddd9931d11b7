#include "graphics/orba_fixture.h"

#include <zlib.h>

#include "common/byte_writer.h"
#include "common/qn_random.h"

namespace rivo::testing {
namespace {

// Packs one pixel into a row the way bitmaps do (leftmost pixel in the high bits).
void PutPixel(std::string& row, int32_t x, int32_t bits, uint32_t v) {
  if (bits < 8) {
    const int32_t bit = x * bits;
    const int shift = 8 - bits - bit % 8;
    row[static_cast<std::size_t>(bit / 8)] =
        static_cast<char>(static_cast<uint8_t>(row[static_cast<std::size_t>(bit / 8)]) |
                          (v & ((1u << bits) - 1)) << shift);
    return;
  }
  const int32_t bytes = bits == 15 ? 2 : bits / 8;
  for (int32_t i = 0; i < bytes; ++i)
    row[static_cast<std::size_t>(x * bytes + i)] = static_cast<char>(v >> (8 * i));
}

int32_t StoredBits(int32_t bits) { return bits == 15 ? 16 : bits; }

}  // namespace

std::vector<int32_t> PoolOrder(int32_t key, int32_t n) {
  TQnRandom r(static_cast<uint32_t>(key));
  r.ResetPool(n);
  std::vector<int32_t> order;
  for (int32_t i = 0; i < n; ++i) order.push_back(r.DrawFromPool());
  return order;
}

std::string StoredRows(int32_t width, int32_t height, int32_t bit_count,
                       const std::vector<uint32_t>& pixels, int32_t key) {
  const int32_t bits = StoredBits(bit_count);
  const auto row_length = static_cast<std::size_t>((width * bits + 31) / 32 * 4);
  std::vector<std::string> rows;
  for (int32_t y = 0; y < height; ++y) {
    std::string row(row_length, '\0');
    for (int32_t x = 0; x < width; ++x)
      PutPixel(row, x, bits, pixels.at(static_cast<std::size_t>(y * width + x)));
    rows.push_back(row);
  }
  std::string out;
  const std::vector<int32_t> order = PoolOrder(key, height);
  for (int32_t i = 0; i < height; ++i) out += rows[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])];
  return out;
}

std::string Zlib(const std::string& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string out(size, '\0');
  compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
           static_cast<uLong>(raw.size()));
  out.resize(size);
  return out;
}

std::string StoredTiles(int32_t width, int32_t height, int32_t bit_count,
                        const std::vector<uint32_t>& pixels, int32_t tile_width,
                        int32_t tile_height, const std::vector<TileEntry>& tiles, int32_t key) {
  const int32_t bits = StoredBits(bit_count);
  const int32_t columns = (width + tile_width - 1) / tile_width;
  const auto count = static_cast<int32_t>(tiles.size());
  ByteWriter w;
  const std::vector<int32_t> order = PoolOrder(key, count);
  for (int32_t i = 0; i < count; ++i) {
    const TileEntry& t = tiles[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])];
    w.I32(t.kind);
    w.I32(t.index);
  }
  for (int32_t p = 0; p < count; ++p) {
    if (tiles[static_cast<std::size_t>(p)].kind != -1) continue;
    const int32_t left = p % columns * tile_width, top = p / columns * tile_height;
    const int32_t w_cut = std::min(tile_width, width - left), h_cut = std::min(tile_height, height - top);
    for (int32_t r = 0; r < h_cut; ++r) {
      std::string row(static_cast<std::size_t>((bits * w_cut + 7) / 8), '\0');
      for (int32_t x = 0; x < w_cut; ++x)
        PutPixel(row, x, bits, pixels.at(static_cast<std::size_t>((top + r) * width + left + x)));
      w.Bytes(row);
    }
  }
  return w.Take();
}

std::string WriteOrba(const OrbaFileLayout& file) {
  ByteWriter w;
  const int32_t v = file.version;
  const auto frame_count = file.frame_count.value_or(static_cast<int32_t>(file.frames.size()));
  if (file.signature) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%03d", v);
    w.Bytes("Orba");
    w.Bytes(std::string(digits, 3));
  }
  if (v < 103) {
    w.I32(frame_count);
    w.U8(0);
    if (v > 101) w.U32(file.background);
  } else {
    ByteWriter h;
    const OrbaFrameLayout* first = file.frames.empty() ? nullptr : &file.frames.front();
    h.I32(v);
    h.I32(first ? first->width : 0);
    h.I32(first ? first->height : 0);
    h.I32(first ? first->bit_count : 0);
    h.I32(frame_count);
    h.U8(1);
    h.U8(file.scrambled);
    h.U8(file.compression);
    h.U8(0);
    h.U32(file.background);
    h.I32(file.tile_width);
    h.I32(file.tile_height);
    h.U8(file.bottom_layer_opaque);
    h.U8(70);
    h.U16(0);
    std::string record = h.Take();
    record.resize(static_cast<std::size_t>(file.header_size), '\0');
    w.I32(file.header_size);
    w.Bytes(record);
  }
  for (const OrbaFrameLayout& f : file.frames) {
    w.String(f.name);
    w.I32(f.transparent_value);
    w.I32(f.delay);
    w.U8(2);
    w.I32(0);
    w.I32(static_cast<int32_t>(f.layers.size()));
    w.I32(f.width);
    w.I32(f.height);
    w.I32(f.bit_count);
    if (f.bit_count <= 8) {
      for (int32_t i = 0; i < (1 << f.bit_count); ++i) {
        const uint32_t c = static_cast<std::size_t>(i) < f.palette.size() ? f.palette[static_cast<std::size_t>(i)] : 0;
        w.U8(static_cast<uint8_t>(c));
        w.U8(static_cast<uint8_t>(c >> 8));
        w.U8(static_cast<uint8_t>(c >> 16));
        w.U8(0);
      }
    }
    for (const OrbaLayerLayout& l : f.layers) {
      w.I32(0);
      w.I32(0);
      w.U8(l.visible ? 1 : 0);
      w.I32(l.transparent_value);
      w.I32(l.opacity);
      if (v > 100) w.U8(l.mask_enabled ? 1 : 0);
      w.String("Layer");
      w.String(l.colour);
      if (v > 99) w.String(l.mask);
    }
    if (v >= 104) {
      for (const auto& list : {f.first_rects, f.second_rects}) {
        if (!list) {
          w.I32(-1);
          continue;
        }
        w.I32(static_cast<int32_t>(list->size()));
        for (const TRect& r : *list) {
          w.I32(r.Left);
          w.I32(r.Top);
          w.I32(r.Right);
          w.I32(r.Bottom);
        }
      }
    }
  }
  return w.Take();
}

}  // namespace rivo::testing

#include "graphics/bmp_codec.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"

namespace rivo {
namespace {

constexpr const char* kBadDib = "不正な DIB です";

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

struct BitmapHeader {
  int64_t width = 0;
  int64_t height = 0;  // negative: rows stored top-down
  int32_t bit_count = 0;
  uint32_t compression = kRgb;
  uint32_t image_size = 0;
  uint32_t colors_used = 0;
  bool core = false;      // OS/2 header: 3-byte colour entries
  bool extended = false;  // a header longer than 40 bytes, masks inside it
  uint32_t masks[3] = {0, 0, 0};
};

// One channel of a bit-field mask: the run of ones above its lowest set bit.
struct BitField {
  int shift = 0;
  int width = 0;

  explicit BitField(uint32_t mask) {
    if (mask == 0) return;  // the channel is absent and reads as 0
    shift = std::countr_zero(mask);
    width = std::countr_one(mask >> shift);
  }
  uint32_t Component(uint32_t v) const {
    if (width == 0) return 0;
    uint32_t c = (v >> shift) & static_cast<uint32_t>((uint64_t{1} << width) - 1);
    if (width >= 8) return c >> (width - 8);
    c <<= 8 - width;
    return c | (c >> (8 - width));
  }
};

BitmapHeader ReadHeader(ByteReader& in, const std::string& name) {
  BitmapHeader h;
  const uint32_t size = in.U32();
  if (size == 12) {
    h.core = true;
    h.width = in.U16();
    h.height = in.U16();
    in.U16();  // planes
    h.bit_count = in.U16();
  } else if (size == 40 || size == 52 || size == 56 || size == 108 || size == 124) {
    // 52 and 56 bytes add the channel masks (and an alpha mask), 108 and 124
    // a colour space, gamma and a colour profile, which the player does not
    // apply: it draws the stored values as they are.
    h.width = in.I32();
    h.height = in.I32();
    in.U16();  // planes
    h.bit_count = in.U16();
    h.compression = in.U32();
    h.image_size = in.U32();
    in.Skip(8);  // resolution
    h.colors_used = in.U32();
    in.U32();  // important colours
    h.extended = size > 40;
  } else {
    throw LoadError(name, kBadDib);
  }
  const bool valid_depth = h.bit_count == 1 || h.bit_count == 4 || h.bit_count == 8 ||
                           h.bit_count == 16 || h.bit_count == 24 || h.bit_count == 32;
  const bool valid_compression =
      h.compression == kRgb ||
      (h.compression == kBitFields && (h.bit_count == 16 || h.bit_count == 32)) ||
      (h.compression == kRle8 && h.bit_count == 8 && h.height >= 0) ||
      (h.compression == kRle4 && h.bit_count == 4 && h.height >= 0);
  if (!valid_depth || !valid_compression || h.width < 0) throw LoadError(name, kBadDib);
  // The masks follow a 40-byte header and lie inside the longer ones; they
  // count only for bit-field pictures.
  if (h.compression == kBitFields || h.extended) {
    uint32_t masks[3];
    for (uint32_t& mask : masks) mask = in.U32();
    if (h.compression == kBitFields) std::copy(std::begin(masks), std::end(masks), h.masks);
  }
  if (h.extended) in.Skip(size - 52);
  return h;
}

void ReadColorTable(ByteReader& in, const BitmapHeader& h, TPalette& palette) {
  int64_t count = h.colors_used;
  if (count == 0 && h.bit_count <= 8) count = int64_t{1} << h.bit_count;
  const std::size_t entry_bytes = h.core ? 3 : 4;
  const std::size_t stored = in.Count(count, entry_bytes);
  for (std::size_t i = 0; i < stored; ++i) {
    TRgbQuad entry;
    entry.blue = in.U8();
    entry.green = in.U8();
    entry.red = in.U8();
    if (!h.core) in.U8();
    if (i < palette.size()) palette[i] = entry;
  }
}

// Run-length data, rows bottom-up. Codes that would place pixels outside the
// picture lose those pixels; data ending early leaves the rest 0.
void DecodeRle(std::string_view data, bool four_bit, TDIB& picture) {
  const int64_t width = picture.Width(), height = picture.Height();
  int64_t x = 0, y = 0;
  auto put = [&](uint32_t value) {
    if (x < width && y < height)
      picture.WritePixel(static_cast<int32_t>(x), static_cast<int32_t>(height - 1 - y), value);
    ++x;
  };
  const auto* d = reinterpret_cast<const uint8_t*>(data.data());
  const std::size_t n = data.size();
  std::size_t pos = 0;
  while (pos + 1 < n && y < height) {
    const uint8_t count = d[pos], code = d[pos + 1];
    pos += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i)
        put(four_bit ? ((i & 1) ? code & 0xF : code >> 4) : code);
    } else if (code == 0) {
      x = 0;
      ++y;
    } else if (code == 1) {
      break;
    } else if (code == 2) {
      if (pos + 1 >= n) break;
      x += d[pos];
      y += d[pos + 1];
      pos += 2;
    } else {
      const std::size_t bytes = four_bit ? (code + 1u) / 2 : code;
      for (int i = 0; i < code; ++i) {
        const std::size_t at = pos + (four_bit ? i / 2 : i);
        if (at >= n) return;
        put(four_bit ? ((i & 1) ? d[at] & 0xF : d[at] >> 4) : d[at]);
      }
      pos += (bytes + 1) & ~std::size_t{1};
    }
  }
}

bool IsStoreLayout(const BitmapHeader& h) {
  const uint32_t* m = h.masks;
  if (h.bit_count == 16)
    return (m[0] == 0x7C00 && m[1] == 0x3E0 && m[2] == 0x1F) ||
           (m[0] == 0xF800 && m[1] == 0x7E0 && m[2] == 0x1F);
  return m[0] == 0xFF0000 && m[1] == 0xFF00 && m[2] == 0xFF;
}

// Rows of 16- or 32-bit bit-field pixels in some other layout, repacked as
// 8-8-8. A 32-bit fourth byte that no mask uses is kept (it may be alpha).
void RepackBitFields(const BitmapHeader& h, const TDIB& raw, TDIB& picture) {
  const BitField red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
  const uint32_t spare =
      h.bit_count == 32 && ((h.masks[0] | h.masks[1] | h.masks[2]) & 0xFF000000) == 0
          ? 0xFF000000
          : 0;
  picture.SetSize(raw.Width(), raw.Height(), 32);
  for (int32_t y = 0; y < raw.Height(); ++y)
    for (int32_t x = 0; x < raw.Width(); ++x) {
      const uint32_t v = raw.ReadPixel(x, y);
      picture.WritePixel(x, y, (v & spare) | red.Component(v) << 16 | green.Component(v) << 8 |
                                   blue.Component(v));
    }
}

TDIB ReadChecked(std::string_view bytes, const std::string& name) {
  if (bytes.size() < 14 || bytes[0] != 'B' || bytes[1] != 'M') throw LoadError(name, kBadDib);
  ByteReader in(bytes, name);
  in.Skip(10);
  const uint32_t data_offset = in.U32();
  const BitmapHeader h = ReadHeader(in, name);
  TDIB picture;
  ReadColorTable(in, h, picture.Palette());
  // The rows follow the colour table. Editors that write the longer headers
  // may leave a gap there (for a colour profile) and say where the rows
  // start; that offset counts when it lies past the table and inside the file.
  if (h.extended && data_offset > in.Position() && data_offset <= in.Size()) in.Seek(data_offset);
  const int64_t rows = h.height < 0 ? -h.height : h.height;
  if (h.width == 0 || rows == 0) return picture;
  if (h.width > kMaxPictureSide || rows > kMaxPictureSide || h.width * rows > kMaxPicturePixels)
    throw LoadError(name, kBadDib);
  const auto width = static_cast<int32_t>(h.width);
  const auto height = static_cast<int32_t>(rows);
  int32_t store_bits = h.bit_count;
  if (h.bit_count == 16 && (h.compression == kRgb || h.masks[1] == 0x3E0)) store_bits = 15;

  if (h.compression == kRle8 || h.compression == kRle4) {
    const std::size_t size = h.image_size == 0 ? in.Remaining() : in.Count(h.image_size);
    picture.SetSize(width, height, store_bits);
    DecodeRle(in.View(size), h.compression == kRle4, picture);
    return picture;
  }

  const int64_t row_length = DibRowLength(width, h.bit_count);
  in.Count(rows, static_cast<std::size_t>(row_length));
  TDIB raw;
  raw.Palette() = picture.Palette();
  raw.SetSize(width, height, store_bits);
  for (int32_t i = 0; i < height; ++i) {
    const int32_t y = h.height < 0 ? i : height - 1 - i;
    in.Read(raw.ScanLine(y), static_cast<std::size_t>(row_length));
  }
  if (h.compression == kBitFields && !IsStoreLayout(h)) {
    RepackBitFields(h, raw, picture);
    return picture;
  }
  return raw;
}

}  // namespace

TDIB ReadBitmapFile(std::string_view bytes, const std::string& name) {
  try {
    return ReadChecked(bytes, name);
  } catch (const LoadError&) {
    // Truncation and bad counts found by the reader are malformed files too.
    throw LoadError(name, kBadDib);
  }
}

std::string WriteBitmapFile(const TDIB& picture) {
  if (picture.IsEmpty()) return {};
  const bool fields = picture.BitCount() == 16 || picture.BitCount() == 32;
  const int32_t table_bytes = fields ? 12 : 4 * picture.PaletteSize();
  const int32_t image_size = picture.RowLength() * picture.Height();
  const int32_t data_offset = 14 + 40 + table_bytes;
  ByteWriter out;
  out.Bytes("BM");
  out.I32(data_offset + image_size);
  out.U32(0);
  out.I32(data_offset);
  out.U32(40);
  out.I32(picture.Width());
  out.I32(picture.Height());
  out.U16(1);
  out.U16(static_cast<uint16_t>(picture.BitCount()));
  out.U32(fields ? kBitFields : kRgb);
  out.I32(image_size);
  out.I32(0);
  out.I32(0);
  out.U32(0);
  out.U32(0);
  if (fields) {
    out.U32(picture.Format().red_mask);
    out.U32(picture.Format().green_mask);
    out.U32(picture.Format().blue_mask);
  }
  for (int32_t i = 0; i < picture.PaletteSize(); ++i) {
    const TRgbQuad& e = picture.Palette()[i];
    out.U8(e.blue);
    out.U8(e.green);
    out.U8(e.red);
    out.U8(0);
  }
  for (int32_t y = picture.Height() - 1; y >= 0; --y)
    out.Bytes(std::string_view(reinterpret_cast<const char*>(picture.ScanLine(y)),
                               static_cast<std::size_t>(picture.RowLength())));
  return out.Take();
}

}  // namespace rivo

#include "graphics/png_codec.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

#include "common/error.h"

namespace rivo {
namespace {

// Everything libpng touches lives here, outside the function that calls
// setjmp, so that a longjmp out of libpng skips no destructor.
struct ReadContext {
  std::string_view data;
  std::size_t pos = 0;
  std::string error;
  std::vector<uint8_t> pixels;
  std::vector<png_bytep> rows;
  png_uint_32 width = 0, height = 0;
  int color_type = 0, channels = 0, bit_depth = 0;
  std::size_t row_bytes = 0;
  png_color palette[256] = {};
  int palette_size = 0;
  png_byte trans_alpha[256] = {};
  int trans_count = 0;
  bool has_trans_color = false;
  uint32_t trans_color = 0;
};

void OnError(png_structp png, png_const_charp message) {
  static_cast<ReadContext*>(png_get_error_ptr(png))->error = message;
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* c = static_cast<ReadContext*>(png_get_io_ptr(png));
  if (count > c->data.size() - c->pos) png_error(png, "truncated file");
  std::memcpy(out, c->data.data() + c->pos, count);
  c->pos += count;
}

// Scales a transparent grey or colour sample of the file's depth to 8 bits
// the way the pixels are scaled.
uint32_t To8Bits(uint32_t sample, int depth) {
  if (depth == 16) return sample >> 8;
  if (depth < 8) return sample * 255 / ((1u << depth) - 1);
  return sample;
}

bool Decode(ReadContext& c) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &c, OnError, OnWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &c, ReadBytes);
  png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
  png_read_info(png, info);
  c.width = png_get_image_width(png, info);
  c.height = png_get_image_height(png, info);
  c.color_type = png_get_color_type(png, info);
  c.bit_depth = png_get_bit_depth(png, info);
  if (static_cast<int64_t>(c.width) * c.height > kMaxPicturePixels) png_error(png, "too large");

  png_bytep trans = nullptr;
  png_color_16p trans_color = nullptr;
  if (png_get_tRNS(png, info, &trans, &c.trans_count, &trans_color)) {
    if (c.color_type == PNG_COLOR_TYPE_PALETTE && trans) {
      c.trans_count = std::min(c.trans_count, 256);
      std::memcpy(c.trans_alpha, trans, static_cast<std::size_t>(c.trans_count));
    } else if (trans_color) {
      c.has_trans_color = true;
      c.trans_color = c.color_type == PNG_COLOR_TYPE_GRAY
                          ? To8Bits(trans_color->gray, c.bit_depth)
                          : To8Bits(trans_color->blue, c.bit_depth) |
                                To8Bits(trans_color->green, c.bit_depth) << 8 |
                                To8Bits(trans_color->red, c.bit_depth) << 16;
    }
  }
  png_colorp palette = nullptr;
  if (png_get_PLTE(png, info, &palette, &c.palette_size)) {
    c.palette_size = std::min(c.palette_size, 256);
    std::memcpy(c.palette, palette, sizeof(png_color) * static_cast<std::size_t>(c.palette_size));
  }

  png_set_strip_16(png);
  png_set_packing(png);
  if (c.color_type == PNG_COLOR_TYPE_GRAY || c.color_type == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_expand_gray_1_2_4_to_8(png);
  if (c.color_type & PNG_COLOR_MASK_COLOR) png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  c.channels = png_get_channels(png, info);
  c.row_bytes = png_get_rowbytes(png, info);
  c.pixels.resize(c.row_bytes * c.height);
  c.rows.resize(c.height);
  for (png_uint_32 y = 0; y < c.height; ++y) c.rows[y] = c.pixels.data() + y * c.row_bytes;
  png_read_image(png, c.rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

struct WriteContext {
  std::string out;
  std::vector<uint8_t> pixels;
  std::vector<png_bytep> rows;
  png_color palette[256] = {};
  int palette_size = 0;
  int color_type = 0;
  png_uint_32 width = 0, height = 0;
};

void WriteBytes(png_structp png, png_bytep data, png_size_t count) {
  static_cast<WriteContext*>(png_get_io_ptr(png))->out.append(reinterpret_cast<char*>(data), count);
}

void FlushNothing(png_structp) {}

void OnWriteError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

bool Encode(WriteContext& c) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &c, OnWriteError, OnWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &c, WriteBytes, FlushNothing);
  png_set_IHDR(png, info, c.width, c.height, 8, c.color_type, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (c.color_type == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, c.palette, c.palette_size);
  png_write_info(png, info);
  png_write_image(png, c.rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool LooksLikePng(std::string_view bytes) {
  return bytes.size() >= 8 && png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) == 0;
}

TPngPicture ReadPng(std::string_view bytes, const std::string& name) {
  ReadContext c;
  c.data = bytes;
  if (!Decode(c)) throw LoadError(name, "PNG: " + (c.error.empty() ? "cannot decode" : c.error));

  TPngPicture result;
  TDIBSurface& s = result.surface;
  const auto width = static_cast<int32_t>(c.width), height = static_cast<int32_t>(c.height);
  const bool indexed = c.color_type == PNG_COLOR_TYPE_PALETTE;
  const bool grey = !(c.color_type & PNG_COLOR_MASK_COLOR);
  s.SetSize(width, height, indexed || grey ? 8 : 24);
  if (indexed) {
    for (int i = 0; i < c.palette_size; ++i)
      s.Palette()[i] = {c.palette[i].blue, c.palette[i].green, c.palette[i].red, 0};
  } else if (grey) {
    for (int i = 0; i < 256; ++i) {
      const auto v = static_cast<uint8_t>(i);
      s.Palette()[i] = {v, v, v, 0};
    }
  }

  // A palette whose entries are only fully opaque or (exactly one) fully
  // transparent is a colour key; any other transparency is a mask.
  bool palette_mask = false;
  if (indexed && c.trans_count > 0) {
    int transparent = 0, partial = 0, key = -1;
    for (int i = 0; i < c.trans_count; ++i) {
      if (c.trans_alpha[i] == 0) ++transparent, key = i;
      else if (c.trans_alpha[i] != 255) ++partial;
    }
    if (partial == 0 && transparent == 1) result.transparent_value = key;
    else palette_mask = partial + transparent > 0;
  }
  if (c.has_trans_color) result.transparent_value = c.trans_color;

  const bool alpha = (c.color_type & PNG_COLOR_MASK_ALPHA) != 0;
  TDIBSurface* mask = alpha || palette_mask ? &s.CreateMask() : nullptr;
  const int colour_bytes = alpha ? c.channels - 1 : c.channels;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* in = c.rows[static_cast<std::size_t>(y)];
    uint8_t* out = s.ScanLine(y);
    uint8_t* m = mask ? mask->ScanLine(y) : nullptr;
    for (int32_t x = 0; x < width; ++x) {
      const uint8_t* px = in + static_cast<std::ptrdiff_t>(x) * c.channels;
      std::memcpy(out + x * colour_bytes, px, static_cast<std::size_t>(colour_bytes));
      if (alpha) m[x] = px[colour_bytes];
      else if (palette_mask) m[x] = px[0] < c.trans_count ? c.trans_alpha[px[0]] : 255;
    }
  }
  return result;
}

std::string WritePng(const TDIBSurface& picture) {
  if (picture.IsEmpty()) throw RivoError("PNG: empty picture");
  WriteContext c;
  c.width = static_cast<png_uint_32>(picture.Width());
  c.height = static_cast<png_uint_32>(picture.Height());
  const TDIBSurface* mask = picture.Mask();
  const bool indexed = picture.BitCount() <= 8 && !mask;
  c.color_type = indexed ? PNG_COLOR_TYPE_PALETTE : mask ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB;
  const int channels = indexed ? 1 : mask ? 4 : 3;
  if (indexed) {
    c.palette_size = picture.PaletteSize();
    for (int i = 0; i < c.palette_size; ++i) {
      const TRgbQuad& e = picture.Palette()[i];
      c.palette[i] = {e.red, e.green, e.blue};
    }
  }
  const std::size_t row_bytes = std::size_t{c.width} * channels;
  c.pixels.resize(row_bytes * c.height);
  c.rows.resize(c.height);
  for (int32_t y = 0; y < picture.Height(); ++y) {
    uint8_t* out = c.pixels.data() + row_bytes * static_cast<std::size_t>(y);
    c.rows[static_cast<std::size_t>(y)] = out;
    for (int32_t x = 0; x < picture.Width(); ++x, out += channels) {
      const uint32_t v = picture.ReadPixel(x, y);
      if (indexed) {
        out[0] = static_cast<uint8_t>(v);
        continue;
      }
      const TRgb rgb = picture.ValueToColor(v, true);
      out[0] = rgb.red;
      out[1] = rgb.green;
      out[2] = rgb.blue;
      if (mask) out[3] = static_cast<uint8_t>(mask->ReadPixel(x, y));
    }
  }
  if (!Encode(c)) throw RivoError("PNG: cannot encode");
  return std::move(c.out);
}

}  // namespace rivo

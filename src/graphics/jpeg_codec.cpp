#include "graphics/jpeg_codec.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <vector>

#include "common/error.h"

namespace rivo {
namespace {

// libjpeg reports errors through a callback that must not return; it jumps
// back to the setjmp of the function that started the work. The functions
// holding a setjmp keep no objects with destructors of their own.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* e = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, e->message);
  std::longjmp(e->jump, 1);
}

void OnMessage(j_common_ptr, int) {}

struct DecodeState {
  TDIB picture;               // BGR files decode straight into its rows
  std::vector<uint8_t> rows;  // CMYK files: width * 4 per row, converted after
  JDIMENSION width = 0, height = 0;
  int components = 0;
  bool cmyk = false;
  bool too_large = false;
};

bool Decode(std::string_view bytes, DecodeState& s, ErrorManager& err) {
  jpeg_decompress_struct info;
  info.err = jpeg_std_error(&err.base);
  err.base.error_exit = OnError;
  err.base.emit_message = OnMessage;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  if (info.image_width > static_cast<JDIMENSION>(kMaxPictureSide) ||
      info.image_height > static_cast<JDIMENSION>(kMaxPictureSide) ||
      int64_t{info.image_width} * info.image_height > kMaxPicturePixels) {
    s.too_large = true;
    jpeg_destroy_decompress(&info);
    return false;
  }
  s.cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = s.cmyk ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  s.width = info.output_width;
  s.height = info.output_height;
  s.components = info.output_components;
  const std::size_t stride = std::size_t{s.width} * static_cast<std::size_t>(s.components);
  s.picture.SetSize(static_cast<int32_t>(s.width), static_cast<int32_t>(s.height), 24);
  if (s.cmyk) s.rows.resize(stride * s.height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = s.cmyk ? s.rows.data() + stride * info.output_scanline
                          : s.picture.ScanLine(static_cast<int32_t>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

struct EncodeState {
  unsigned char* out = nullptr;
  unsigned long size = 0;
  std::vector<uint8_t> row;
};

bool Encode(const TDIB& picture, int quality, EncodeState& s, ErrorManager& err) {
  jpeg_compress_struct info;
  info.err = jpeg_std_error(&err.base);
  err.base.error_exit = OnError;
  err.base.emit_message = OnMessage;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &s.out, &s.size);
  info.image_width = static_cast<JDIMENSION>(picture.Width());
  info.image_height = static_cast<JDIMENSION>(picture.Height());
  info.input_components = 3;
  info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    auto row = const_cast<JSAMPROW>(picture.ScanLine(static_cast<int32_t>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

TDIB ReadJpeg(std::string_view bytes, const std::string& name) {
  DecodeState s;
  ErrorManager err{};
  if (!Decode(bytes, s, err))
    throw LoadError(name, s.too_large ? std::string("JPEG: picture too large")
                                      : "JPEG: " + std::string(err.message));
  TDIB& picture = s.picture;
  if (!s.cmyk) return std::move(picture);
  const std::size_t stride = std::size_t{s.width} * static_cast<std::size_t>(s.components);
  for (int32_t y = 0; y < picture.Height(); ++y) {
    const uint8_t* in = s.rows.data() + stride * static_cast<std::size_t>(y);
    uint8_t* out = picture.ScanLine(y);
    // Adobe's files store CMYK inverted (255 = no ink), so each colour is
    // its inverted ink times the inverted black.
    for (JDIMENSION x = 0; x < s.width; ++x, in += 4, out += 3) {
      const uint32_t k = in[3];
      out[0] = static_cast<uint8_t>(in[2] * k / 255);
      out[1] = static_cast<uint8_t>(in[1] * k / 255);
      out[2] = static_cast<uint8_t>(in[0] * k / 255);
    }
  }
  return std::move(picture);
}

std::string WriteJpeg(const TDIB& picture, int quality) {
  if (picture.IsEmpty() || picture.BitCount() != 24) throw RivoError("JPEG: needs a 24-bit picture");
  EncodeState s;
  ErrorManager err{};
  const bool ok = Encode(picture, std::clamp(quality, 1, 100), s, err);
  std::string out;
  if (ok) out.assign(reinterpret_cast<const char*>(s.out), s.size);
  std::free(s.out);
  if (!ok) throw RivoError("JPEG: " + std::string(err.message));
  return out;
}

}  // namespace rivo

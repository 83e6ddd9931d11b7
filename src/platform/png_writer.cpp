#include "platform/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include "platform/platform_error.h"

namespace rivo {

void WritePng(const PixelView& frame, const std::filesystem::path& file) {
  if (frame.width <= 0 || frame.height <= 0) throw PlatformError("no frame to write to " + file.string());
  // Everything with a destructor exists before setjmp: libpng reports errors by longjmp.
  std::vector<png_byte> row(static_cast<std::size_t>(frame.width) * 3);
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (!out) throw PlatformError("cannot write " + file.string());
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(out);
    throw PlatformError("cannot write " + file.string());
  }
  png_init_io(png, out);
  png_set_IHDR(png, info, static_cast<png_uint_32>(frame.width), static_cast<png_uint_32>(frame.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int32_t y = 0; y < frame.height; ++y) {
    for (int32_t x = 0; x < frame.width; ++x) {
      uint32_t p = frame.At(x, y);
      row[3 * x] = static_cast<png_byte>(p >> 16);
      row[3 * x + 1] = static_cast<png_byte>(p >> 8);
      row[3 * x + 2] = static_cast<png_byte>(p);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fclose(out) != 0) throw PlatformError("cannot write " + file.string());
}

}  // namespace rivo
